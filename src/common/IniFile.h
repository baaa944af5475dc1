#pragma once

#include "common/AtomicFile.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

namespace kvt {

// A Windows-1251 INI file: "[section]" headers and "key=value" lines. Sections and keys are
// matched ignoring letter case; where a section or a key stands twice the first one counts.
// Everything the console does not touch (other sections and keys, comments, blank and
// malformed lines, their order, the line endings) is written back as it was read.
// Every write is saved atomically and is on disk when the call returns; a `Batch` groups
// many writes into one save.
class IniFile {
public:
    explicit IniFile(QString path, std::shared_ptr<AtomicFileWriter> writer = {});

    const QString& path() const { return path_; }

    QString readString(const QString& section, const QString& key, const QString& defaultValue = {}) const;
    // Decimal (or "$"/"0x" hexadecimal) integer; a value that does not parse reads as the default.
    int readInteger(const QString& section, const QString& key, int defaultValue) const;
    // True for any non-zero integer; the default when the key is absent or not a number.
    bool readBool(const QString& section, const QString& key, bool defaultValue) const;

    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);
    void writeBool(const QString& section, const QString& key, bool value); // written 1 / 0

    void deleteKey(const QString& section, const QString& key);
    void eraseSection(const QString& section);

    bool sectionExists(const QString& section) const;
    bool valueExists(const QString& section, const QString& key) const;
    QStringList sections() const;
    QStringList keys(const QString& section) const;

    // Saves once, when the outermost batch ends, instead of after every write. A batch that
    // ends by an exception still saves what was written before it.
    class Batch {
    public:
        explicit Batch(IniFile& file);
        ~Batch() noexcept(false);
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        IniFile& file_;
    };

    // Reads the file again from disk (done by itself when the file changed on disk).
    void reload() const;

private:
    struct Line {
        enum Kind { Other, Section, Entry } kind = Other;
        QString raw;     // the line as read, without its ending
        QString ending;  // "\r\n", "\n" or "" (a last line without one)
        QString name;    // section name or key, trimmed
        QString value;   // entry value, trimmed
    };
    // A section header and the lines up to the next one; the lines before the first header
    // form a block without a header. Each block indexes its own keys, so writing a key touches
    // only its block and never renumbers the rest of the file.
    struct Block {
        Line header;                  // kind Section, or Other for the lines before any header
        QList<Line> lines;
        QHash<QString, int> entries;  // lower-case key -> line (the first occurrence)

        void indexEntries();
        int insertionPoint() const;   // after the last non-blank line
    };
    struct EntryAt {
        Block* block = nullptr;
        int line = -1;
    };

    void refreshIfChanged() const;
    void rebuildIndex() const;
    Block* findSection(const QString& section) const;  // first block of that name, nullptr
    EntryAt findEntry(const QString& section, const QString& key) const;
    void changed();
    void save();

    QString path_;
    std::shared_ptr<AtomicFileWriter> writer_;
    mutable QList<Block> blocks_;                 // in file order; blocks_[0] has no header
    mutable QString lineEnding_;
    mutable QHash<QString, int> sectionIndex_;    // lower-case name -> its first block
    mutable QDateTime loadedModified_;
    mutable qint64 loadedSize_ = -1;
    int batchDepth_ = 0;
    bool dirty_ = false;
};

} // namespace kvt
