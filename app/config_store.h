#pragma once

#include <QString>
#include <optional>
#include <string>

namespace zm {

// Where config.ini and the ports/ folder live, and how the file is read and replaced.
// Normally beside the program; an installed copy whose folder is not writable keeps them
// in the user's configuration folder instead.
class ConfigStore {
public:
    explicit ConfigStore(QString directory);

    // The program's folder when writable, else the per-user configuration folder.
    static ConfigStore forProgram();

    const QString& directory() const { return m_directory; }
    QString filePath() const;

    // The file's bytes; empty when it is missing or unreadable. Only the first few
    // lines matter, so a huge file is read no further than kMaxReadBytes.
    std::optional<std::string> read() const;
    // Replaces the file whole through a temporary file and a rename, so a failed write
    // never leaves a truncated or empty config.ini. False with a reason for the user.
    bool write(const std::string& text, std::string& whyNot) const;

    static constexpr qint64 kMaxReadBytes = 1 << 20;

private:
    QString m_directory;
};

}  // namespace zm
