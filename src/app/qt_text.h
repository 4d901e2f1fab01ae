#pragma once
// The one crossing between the program's byte texts (GB18030) and Qt's
// strings. Control texts, the window definition's captions and message boxes
// all pass through here; the ledger never sees a QString.
//
//   qtText("\xB3\xD4")            -> u"吃"
//   byteText(u"吃")               -> "\xB3\xD4"
//   qtLines("a\r\nb")             -> u"a\nb"     (CR LF pairs become line breaks)
//   byteLines(u"a\nb")            -> "a\r\nb"
// Failure cases: bytes that are not GB18030 become "?" (one per unreadable
// byte); every Qt string has a GB18030 form, so byteText loses nothing.

#include <QString>
#include <string>
#include <string_view>

QString qtText(std::string_view bytes);
std::string byteText(const QString& text);

// For multi-line texts: line breaks are CR LF in byte texts and LF in Qt.
QString qtLines(std::string_view bytes);
std::string byteLines(const QString& text);
