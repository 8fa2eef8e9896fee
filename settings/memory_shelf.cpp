// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/memory_shelf.h"

#include <QDir>
#include <QFile>

#include "settings/qt_text_files.h"
#include "settings/whole_file.h"

namespace zm {

MemoryShelf::MemoryShelf(QString folder) : m_folder(std::move(folder)) {}

std::vector<std::string> MemoryShelf::load() {
    m_memories.clear();
    m_fileNames.clear();
    std::vector<std::string> damaged;
    const QDir dir(m_folder);
    for (const QString& name : dir.entryList({"*.csv"}, QDir::Files, QDir::Name)) {
        QString whyNot;
        const auto text =
            readRegularFile(dir.filePath(name), QtTextFiles::kLargestFileBytes, whyNot);
        auto read = text ? readMemoryFile(*text, name.toStdString())
                         : std::variant<Memory, FileError>(FileError{0, whyNot.toStdString()});
        if (auto* error = std::get_if<FileError>(&read)) {
            damaged.push_back(name.toStdString() + ": " + error->describe());
            continue;
        }
        Memory& memory = std::get<Memory>(read);
        if (memory.colour < 0) {
            memory.colour = leastUsedColour(m_memories, kMemoryColours);
        }
        m_memories.push_back(std::move(memory));
        m_fileNames.push_back(name);
    }
    return damaged;
}

QString MemoryShelf::filePath(std::size_t index) const {
    return QDir(m_folder).filePath(m_fileNames.at(index));
}

bool MemoryShelf::add(Memory memory, std::string& whyNot) {
    memory.colour = leastUsedColour(m_memories, kMemoryColours);
    m_memories.push_back(std::move(memory));
    m_fileNames.push_back(newFileName());
    return write(m_memories.size() - 1, whyNot);
}

bool MemoryShelf::setShown(std::size_t index, bool shown, std::string& whyNot) {
    if (m_memories.at(index).shown == shown) {
        return true;
    }
    m_memories[index].shown = shown;
    return write(index, whyNot);
}

bool MemoryShelf::rename(std::size_t index, const std::string& name, std::string& whyNot) {
    const std::string cleaned = cleanMemoryName(name);
    if (cleaned.empty() || cleaned == m_memories.at(index).name) {
        return true;  // nothing typed keeps the old name
    }
    m_memories[index].name = cleaned;
    return write(index, whyNot);
}

bool MemoryShelf::remove(std::size_t index, std::string& whyNot) {
    const QString path = filePath(index);
    m_memories.erase(m_memories.begin() + static_cast<std::ptrdiff_t>(index));
    m_fileNames.erase(m_fileNames.begin() + static_cast<std::ptrdiff_t>(index));
    QFile file(path);
    if (file.exists() && !file.remove()) {
        whyNot = "The memory's file " + path.toStdString() + " could not be deleted (" +
                 file.errorString().toStdString() + "); it comes back at the next start.";
        return false;
    }
    return true;
}

bool MemoryShelf::write(std::size_t index, std::string& whyNot) {
    const QString path = filePath(index);
    QDir().mkpath(m_folder);
    if (const auto failure = replaceFileWhole(path, writeMemoryFile(m_memories[index]))) {
        whyNot = "The memory \"" + m_memories[index].name + "\" could not be saved to " +
                 path.toStdString() + " (" + failure->toStdString() +
                 "). It is kept until the program ends; check the folder and the free space.";
        return false;
    }
    return true;
}

// One number past every memory-NNN.csv there is, damaged or not, so that no file is written
// over and the folder lists the memories in the order they were kept.
QString MemoryShelf::newFileName() const {
    QStringList names = QDir(m_folder).entryList({"memory-*.csv"}, QDir::Files);
    names.append(QList<QString>(m_fileNames.begin(), m_fileNames.end()));
    int highest = 0;
    for (const QString& name : names) {
        highest = std::max(highest, name.mid(7, name.size() - 11).toInt());
    }
    return QStringLiteral("memory-%1.csv").arg(highest + 1, 3, 10, QChar('0'));
}

}  // namespace zm
