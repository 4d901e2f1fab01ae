#include "message_box.h"

#include <QMessageBox>

#include "qt_text.h"

namespace {

void run(QMessageBox::Icon icon, std::string_view text, std::string_view caption) {
    // No owner window: the box is application modal.
    QMessageBox box(icon, qtText(caption), qtLines(text), QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace

void showMessageBox(std::string_view text, std::string_view caption) {
    run(QMessageBox::NoIcon, text, caption);
}

void showLoadFailure() {
    run(QMessageBox::Critical, "运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n", "错误");
}
