// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <string>
#include <vector>

#include "results/memory_file.h"

namespace zm {

// The memories and their folder, memories/ beside config.ini: one CSV file each, written
// at every change, so that they outlast the program. New ones are memory-001.csv and on;
// any other CSV of ours put in the folder is a memory too, named after its file.
class MemoryShelf {
public:
    explicit MemoryShelf(QString folder);

    // Reads every .csv of the folder, in the order of their names. A file that cannot be
    // read is left where it is, never written over, and named in the list returned, with
    // why: "memory-003.csv: line 9: swr "x" is not a number".
    std::vector<std::string> load();

    const std::vector<Memory>& memories() const { return m_memories; }
    const QString& folder() const { return m_folder; }
    // The file of memory `index`, in the folder.
    QString filePath(std::size_t index) const;

    // Each change is in the list at once and written to its file; false, with the reason for
    // the user, when the file could not be written (the change then lasts until the program
    // ends). A new memory gets the colour the fewest others have.
    bool add(Memory memory, std::string& whyNot);
    bool setShown(std::size_t index, bool shown, std::string& whyNot);
    bool rename(std::size_t index, const std::string& name, std::string& whyNot);
    bool remove(std::size_t index, std::string& whyNot);

private:
    bool write(std::size_t index, std::string& whyNot);
    QString newFileName() const;

    QString m_folder;
    std::vector<Memory> m_memories;
    std::vector<QString> m_fileNames;  // of each memory, in the folder
};

}  // namespace zm
