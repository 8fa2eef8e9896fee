// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <optional>
#include <string>

namespace zm {

// Where config.ini and the ports/ folder live, and how the file is read and replaced.
// Beside the program when it runs from its build folder; an installed copy keeps them in
// the user's configuration folder, ~/.config/zm480-plot/, whoever runs it.
class ConfigStore {
public:
    explicit ConfigStore(QString directory);

    // The running program's place, as forProgramIn decides it.
    static ConfigStore forProgram();
    // An installed program (its desktop entry at ../share/applications/ from its folder,
    // as the install rule and the package put it, also in an extracted root) never writes
    // beside itself, even where it may: as root, /usr/bin is writable. Any other program
    // stays beside itself while that folder is writable. The user folder is created.
    static ConfigStore forProgramIn(const QString& programDir, const QString& userDir);

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
