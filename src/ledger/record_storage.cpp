#include "record_storage.h"

#include "profile_file.h"
#include "text_encoding.h"

namespace {

// File names are spelled in the file system's encoding.
std::string pathIn(const std::string& directory, const char8_t* fileName) {
    return directory + "/" + reinterpret_cast<const char*>(fileName);
}

}  // namespace

void LoadTotal(ControlTexts& window, const std::string& programDirectory) {
    std::string path = pathIn(programDirectory, u8"文本.ini");
    window.WriteControlText(Control::透明标签1, ReadProfileValue(path, "保存", "数据"));
}

void SaveRecord(ControlTexts& window, const std::string& programDirectory) {
    std::string path = pathIn(programDirectory, u8"文本.txt");
    ProfileWriteResult result = WriteProfileValue(path, "金额消费记录", "金额消费",
                                                  window.ReadControlText(Control::编辑框2));
    if (result.written) {
        window.ShowMessage("数据已保存！", 0);
        return;
    }
    // A record that did not reach the file must not look saved: the person
    // may close the window next.
    window.ShowMessage(
        "数据保存失败！\r\n" + Gb18030FromUtf8(path) + "\r\n" + Gb18030FromUtf8(result.reason), 0,
        "错误");
}
