#include "profile_file.h"

// The text layer walks lines in characters of one or two bytes; the file layer
// reads whole files and replaces them through a temporary file beside them.
// Narrow literals stay ASCII: this file is also built by clang for fuzzing.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "text_encoding.h"

namespace {

// --- The text layer ---------------------------------------------------------

struct Line {
    std::string_view content;
    std::string_view end;  // "\r\n", "\n", "\r" or "" for a last line without one
};

std::vector<Line> splitLines(std::string_view text) {
    std::vector<Line> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t stop = text.find_first_of("\r\n", start);
        if (stop == std::string_view::npos) {
            lines.push_back({text.substr(start), {}});
            break;
        }
        std::size_t endLength = text.compare(stop, 2, "\r\n") == 0 ? 2 : 1;
        lines.push_back({text.substr(start, stop - start), text.substr(stop, endLength)});
        start = stop + endLength;
    }
    return lines;
}

// A byte of 0x80 or above starts a double-byte character with the next byte.
std::size_t charLength(std::string_view text, std::size_t pos) {
    return static_cast<unsigned char>(text[pos]) >= 0x80 && pos + 1 < text.size() ? 2 : 1;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// The position of the first character c, or npos.
std::size_t findChar(std::string_view text, char c) {
    for (std::size_t pos = 0; pos < text.size(); pos += charLength(text, pos)) {
        if (text[pos] == c) return pos;
    }
    return std::string_view::npos;
}

std::string_view trimBlanks(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && isBlank(text[start])) ++start;
    std::size_t stop = start;
    for (std::size_t pos = start; pos < text.size(); pos += charLength(text, pos)) {
        if (!isBlank(text[pos])) stop = pos + charLength(text, pos);
    }
    return text.substr(start, stop - start);
}

char foldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Equal character by character; only single-byte letters fold.
bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t pos = 0; pos < a.size();) {
        std::size_t length = charLength(a, pos);
        if (length == 2) {
            if (a.substr(pos, 2) != b.substr(pos, 2)) return false;
        } else if (foldAscii(a[pos]) != foldAscii(b[pos])) {
            return false;
        }
        pos += length;
    }
    return true;
}

enum class LineKind { Other, Section, Key };

struct ParsedLine {
    LineKind kind = LineKind::Other;
    std::string_view name;   // the section's or the key's name
    std::string_view value;  // a key's value, blanks trimmed, quotes kept
};

ParsedLine parseLine(std::string_view content) {
    std::size_t first = 0;
    while (first < content.size() && isBlank(content[first])) ++first;
    std::string_view rest = content.substr(first);
    if (rest.empty() || rest[0] == ';') return {};
    if (rest[0] == '[') {
        std::string_view inside = rest.substr(1);
        return {LineKind::Section, trimBlanks(inside.substr(0, findChar(inside, ']'))), {}};
    }
    std::size_t equals = findChar(rest, '=');
    if (equals == std::string_view::npos) return {};
    return {LineKind::Key, trimBlanks(rest.substr(0, equals)), trimBlanks(rest.substr(equals + 1))};
}

std::string_view unquoted(std::string_view value) {
    if (value.size() < 2 || (value[0] != '"' && value[0] != '\'')) return value;
    std::size_t last = 0;
    for (std::size_t pos = 0; pos < value.size(); pos += charLength(value, pos)) last = pos;
    if (last == 0 || value[last] != value[0] || charLength(value, last) != 1) return value;
    return value.substr(1, last - 1);
}

// Where a key stands: its line, and the first line after its value's end.
struct KeyPlace {
    std::size_t line = 0;
    std::size_t valueEnd = 0;
};

std::optional<std::size_t> findSection(const std::vector<Line>& lines, std::string_view section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        ParsedLine parsed = parseLine(lines[i].content);
        if (parsed.kind == LineKind::Section && sameName(parsed.name, section)) return i;
    }
    return std::nullopt;
}

// The first key line of that name in a section of that name.
std::optional<KeyPlace> findKey(const std::vector<Line>& lines, std::string_view section,
                                std::string_view key) {
    bool inSection = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        ParsedLine parsed = parseLine(lines[i].content);
        if (parsed.kind == LineKind::Section) {
            inSection = sameName(parsed.name, section);
        } else if (inSection && parsed.kind == LineKind::Key && sameName(parsed.name, key)) {
            std::size_t end = i + 1;
            while (end < lines.size() && parseLine(lines[end].content).kind != LineKind::Section)
                ++end;
            return KeyPlace{i, end};
        }
    }
    return std::nullopt;
}

// --- The file layer ---------------------------------------------------------

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isAscii(std::string_view bytes) {
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

// A file's text in GB18030 and how to give its bytes back.
struct DecodedFile {
    std::string text;
    bool utf8 = false;
    bool byteOrderMark = false;
};

DecodedFile decode(std::string bytes) {
    std::string_view body = bytes;
    bool mark = body.substr(0, kByteOrderMark.size()) == kByteOrderMark;
    if (mark) body.remove_prefix(kByteOrderMark.size());
    if ((mark || !isAscii(body)) && IsValidUtf8(body)) return {Gb18030FromUtf8(body), true, mark};
    return {std::move(bytes), false, false};
}

std::string encode(const DecodedFile& file) {
    if (!file.utf8) return file.text;
    std::string bytes = file.byteOrderMark ? std::string(kByteOrderMark) : std::string();
    return bytes + Utf8FromGb18030(file.text);
}

struct FileRead {
    bool ok = false;
    int error = 0;
    std::string bytes;
    mode_t mode = 0;
};

FileRead readWholeFile(const std::string& path) {
    FileRead result;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        result.error = errno;
        return result;
    }
    struct stat info {};
    if (::fstat(fd, &info) == 0) result.mode = info.st_mode & 07777;
    char buffer[65536];
    for (;;) {
        ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count > 0) {
            result.bytes.append(buffer, static_cast<std::size_t>(count));
        } else if (count == 0) {
            result.ok = true;
            break;
        } else if (errno != EINTR) {
            result.error = errno;
            break;
        }
    }
    ::close(fd);
    return result;
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t count = ::write(fd, bytes.data(), bytes.size());
        if (count < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(count));
    }
    return true;
}

ProfileWriteResult failure(int error) {
    return {false, error, std::strerror(error)};
}

std::string directoryOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A fresh file beside path, opened for writing; -1 with errno on failure.
int createBeside(const std::string& path, std::string& tempPath) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = path + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Replaces the file at path by one holding bytes: written beside it, synced,
// renamed over it, and the directory synced, so the old file stays whole
// until the new one is.
ProfileWriteResult replaceFile(const std::string& path, std::string_view bytes,
                               std::optional<mode_t> mode) {
    std::string tempPath;
    int fd = createBeside(path, tempPath);
    if (fd < 0) return failure(errno);
    bool ok = (!mode || ::fchmod(fd, *mode) == 0) && writeAll(fd, bytes) && ::fsync(fd) == 0;
    int error = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(tempPath.c_str(), path.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(tempPath.c_str());
        return failure(error);
    }
    // The rename is done; a directory that cannot be synced does not undo it.
    int directory = ::open(directoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directory >= 0) {
        ::fsync(directory);
        ::close(directory);
    }
    return {true, 0, {}};
}

// A symbolic link stays a link: the file it points to is replaced.
std::string resolvedTarget(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

std::string_view skipControlBytes(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && text[start] >= 1 && text[start] <= 32) ++start;
    return text.substr(start);
}

}  // namespace

std::optional<std::string> profileValueIn(std::string_view text, std::string_view section,
                                          std::string_view key) {
    std::vector<Line> lines = splitLines(text);
    std::optional<KeyPlace> place = findKey(lines, section, key);
    if (!place) return std::nullopt;
    return std::string(unquoted(parseLine(lines[place->line].content).value));
}

std::string profileTextWith(std::string_view text, std::string_view section, std::string_view key,
                            std::string_view value) {
    std::vector<Line> lines = splitLines(text);
    std::string keyLine = std::string(key) + "=" + std::string(value) + "\r\n";

    std::size_t from = lines.size();  // lines [from, to) give way to keyLine
    std::size_t to = lines.size();
    if (std::optional<KeyPlace> place = findKey(lines, section, key)) {
        from = place->line;
        to = place->valueEnd;
    } else if (std::optional<std::size_t> sectionLine = findSection(lines, section)) {
        // After the section's last non-blank line, so blank lines between
        // sections stay between them.
        from = *sectionLine + 1;
        for (std::size_t i = from; i < lines.size(); ++i) {
            if (parseLine(lines[i].content).kind == LineKind::Section) break;
            if (!trimBlanks(lines[i].content).empty()) from = i + 1;
        }
        to = from;
    } else {
        keyLine = "[" + std::string(section) + "]\r\n" + keyLine;
    }

    std::string result;
    result.reserve(text.size() + keyLine.size() + 2);
    for (std::size_t i = 0; i < from; ++i) {
        result.append(lines[i].content);
        // The line before the new ones gets a line end if it had none.
        result.append(i + 1 == from && lines[i].end.empty() ? std::string_view("\r\n")
                                                            : lines[i].end);
    }
    result.append(keyLine);
    for (std::size_t i = to; i < lines.size(); ++i) {
        result.append(lines[i].content);
        result.append(lines[i].end);
    }
    return result;
}

std::string ReadProfileValue(std::string_view path, std::string_view section, std::string_view key,
                             std::string_view defaultValue) {
    path = skipControlBytes(path);
    section = skipControlBytes(section);
    key = skipControlBytes(key);
    if (path.empty() || section.empty() || key.empty()) return {};

    std::string value(defaultValue);
    FileRead file = readWholeFile(std::string(path));
    if (file.ok) {
        if (std::optional<std::string> found =
                profileValueIn(decode(std::move(file.bytes)).text, section, key)) {
            value = std::move(*found);
        }
    }
    if (value.size() > kProfileValueLimit) value.resize(kProfileValueLimit);
    return value;
}

ProfileWriteResult WriteProfileValue(std::string_view path, std::string_view section,
                                     std::string_view key, std::string_view value) {
    std::string target = resolvedTarget(std::string(path));
    FileRead old = readWholeFile(target);
    if (!old.ok && old.error != ENOENT) return failure(old.error);

    DecodedFile file = decode(std::move(old.bytes));
    file.text = profileTextWith(file.text, section, key, value);
    return replaceFile(target, encode(file),
                       old.ok ? std::optional<mode_t>(old.mode) : std::nullopt);
}
