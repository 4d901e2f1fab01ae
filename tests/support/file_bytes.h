#pragma once
// Whole files as bytes for tests on real files, and UTF-8 literals as bytes
// (file names, and the contents of files saved by a Linux editor).

#include <QtTest>

inline QByteArray u8(const char8_t* text) {
    return QByteArray(reinterpret_cast<const char*>(text));
}

inline void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// The empty array when the file cannot be read.
inline QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
