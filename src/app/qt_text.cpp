#include "qt_text.h"

#include "text_encoding.h"

QString qtText(std::string_view bytes) {
    return QString::fromStdString(Utf8FromGb18030(bytes));
}

std::string byteText(const QString& text) {
    return Gb18030FromUtf8(text.toStdString());
}

QString qtLines(std::string_view bytes) {
    QString text = qtText(bytes);
    text.replace(u"\r\n"_qs, u"\n"_qs);
    return text;
}

std::string byteLines(const QString& text) {
    QString lines = text;
    lines.replace(u'\n', u"\r\n"_qs);
    return byteText(lines);
}
