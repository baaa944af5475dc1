#include "common/IniFile.h"

#include "common/Errors.h"
#include "common/Win1251.h"

#include <QFileInfo>

namespace kvt {

namespace {
const QString kCrLf = QStringLiteral("\r\n");

QString keyOf(const QString& name)
{
    return name.toLower();
}

bool parseInteger(QString text, int& value)
{
    text = text.trimmed();
    bool ok = false;
    int base = 10;
    if (text.startsWith(QLatin1Char('$'))) {
        text.remove(0, 1);
        base = 16;
    } else if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        text.remove(0, 2);
        base = 16;
    }
    const int v = text.toInt(&ok, base);
    if (ok)
        value = v;
    return ok;
}
} // namespace

IniFile::IniFile(QString path, std::shared_ptr<AtomicFileWriter> writer)
    : path_(std::move(path)), writer_(writer ? std::move(writer) : std::make_shared<AtomicFileWriter>())
{
    reload();
}

void IniFile::reload() const
{
    const QFileInfo info(path_);
    const QString text = FromWin1251(ReadWholeFile(path_));
    loadedModified_ = info.exists() ? info.lastModified() : QDateTime();
    loadedSize_ = info.exists() ? info.size() : -1;

    blocks_.clear();
    blocks_.append(Block());
    lineEnding_ = text.contains(kCrLf) || text.isEmpty() ? kCrLf : QStringLiteral("\n");
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = text.size();
        QString raw = text.mid(start, end - start);
        QString ending = end < text.size() ? QStringLiteral("\n") : QString();
        if (!ending.isEmpty() && raw.endsWith(QLatin1Char('\r'))) {
            raw.chop(1);
            ending = kCrLf;
        }
        start = end + 1;

        Line line;
        line.raw = raw;
        line.ending = ending;
        const QString trimmed = raw.trimmed();
        if (trimmed.startsWith(QLatin1Char('[')) && trimmed.contains(QLatin1Char(']'))) {
            line.kind = Line::Section;
            line.name = trimmed.mid(1, trimmed.indexOf(QLatin1Char(']')) - 1).trimmed();
            Block block;
            block.header = std::move(line);
            blocks_.append(std::move(block));
            continue;
        }
        if (!trimmed.startsWith(QLatin1Char(';')) && trimmed.contains(QLatin1Char('='))) {
            const qsizetype eq = trimmed.indexOf(QLatin1Char('='));
            line.name = trimmed.left(eq).trimmed();
            line.value = trimmed.mid(eq + 1).trimmed();
            line.kind = line.name.isEmpty() ? Line::Other : Line::Entry;
        }
        blocks_.last().lines.append(std::move(line));
    }
    for (Block& block : blocks_)
        block.indexEntries();
    rebuildIndex();
}

void IniFile::refreshIfChanged() const
{
    const QFileInfo info(path_);
    const qint64 size = info.exists() ? info.size() : -1;
    const QDateTime modified = info.exists() ? info.lastModified() : QDateTime();
    if (size != loadedSize_ || modified != loadedModified_)
        reload();
}

void IniFile::Block::indexEntries()
{
    entries.clear();
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].kind == Line::Entry && !entries.contains(keyOf(lines[i].name)))
            entries.insert(keyOf(lines[i].name), i);
    }
}

int IniFile::Block::insertionPoint() const
{
    int at = int(lines.size());
    while (at > 0 && lines[at - 1].raw.trimmed().isEmpty())
        --at;
    return at;
}

void IniFile::rebuildIndex() const
{
    sectionIndex_.clear();
    // Where a section stands twice the first one counts.
    for (int i = 1; i < blocks_.size(); ++i) {
        if (!sectionIndex_.contains(keyOf(blocks_[i].header.name)))
            sectionIndex_.insert(keyOf(blocks_[i].header.name), i);
    }
}

IniFile::Block* IniFile::findSection(const QString& section) const
{
    const int at = sectionIndex_.value(keyOf(section), -1);
    return at < 0 ? nullptr : &blocks_[at];
}

IniFile::EntryAt IniFile::findEntry(const QString& section, const QString& key) const
{
    Block* block = findSection(section);
    if (!block)
        return {};
    const int line = block->entries.value(keyOf(key), -1);
    return line < 0 ? EntryAt{} : EntryAt{block, line};
}

QString IniFile::readString(const QString& section, const QString& key, const QString& defaultValue) const
{
    refreshIfChanged();
    const EntryAt at = findEntry(section, key);
    return at.block ? at.block->lines[at.line].value : defaultValue;
}

int IniFile::readInteger(const QString& section, const QString& key, int defaultValue) const
{
    int value = defaultValue;
    if (!parseInteger(readString(section, key), value))
        return defaultValue;
    return value;
}

bool IniFile::readBool(const QString& section, const QString& key, bool defaultValue) const
{
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value)
{
    refreshIfChanged();
    Line entry;
    entry.kind = Line::Entry;
    entry.name = key.trimmed();
    entry.value = value.trimmed();
    entry.raw = entry.name + QLatin1Char('=') + value;
    entry.ending = lineEnding_;

    if (const EntryAt existing = findEntry(section, key); existing.block) {
        Line& line = existing.block->lines[existing.line];
        entry.ending = line.ending;
        line = std::move(entry);
    } else if (Block* block = findSection(section)) {
        // After the last key of the section, before the blank lines that end it: only blank
        // lines follow, so no key of the section moves.
        const int at = block->insertionPoint();
        block->entries.insert(keyOf(entry.name), at);
        block->lines.insert(at, std::move(entry));
    } else {
        Block added;
        added.header.kind = Line::Section;
        added.header.name = section;
        added.header.raw = QLatin1Char('[') + section + QLatin1Char(']');
        added.header.ending = lineEnding_;
        added.entries.insert(keyOf(entry.name), 0);
        added.lines.append(std::move(entry));
        blocks_.append(std::move(added));
        sectionIndex_.insert(keyOf(section), int(blocks_.size()) - 1);
    }
    changed();
}

void IniFile::writeInteger(const QString& section, const QString& key, int value)
{
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString& section, const QString& key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::deleteKey(const QString& section, const QString& key)
{
    refreshIfChanged();
    const EntryAt at = findEntry(section, key);
    if (!at.block)
        return;
    at.block->lines.removeAt(at.line);
    at.block->indexEntries();
    changed();
}

void IniFile::eraseSection(const QString& section)
{
    refreshIfChanged();
    const QString wanted = keyOf(section);
    const qsizetype removed = blocks_.removeIf([&](const Block& block) {
        return block.header.kind == Line::Section && keyOf(block.header.name) == wanted;
    });
    if (removed == 0)
        return;
    rebuildIndex();
    changed();
}

bool IniFile::sectionExists(const QString& section) const
{
    refreshIfChanged();
    return findSection(section) != nullptr;
}

bool IniFile::valueExists(const QString& section, const QString& key) const
{
    refreshIfChanged();
    return findEntry(section, key).block != nullptr;
}

QStringList IniFile::sections() const
{
    refreshIfChanged();
    QStringList names;
    for (int i = 1; i < blocks_.size(); ++i) {
        if (sectionIndex_.value(keyOf(blocks_[i].header.name)) == i)
            names.append(blocks_[i].header.name);
    }
    return names;
}

QStringList IniFile::keys(const QString& section) const
{
    refreshIfChanged();
    QStringList names;
    const Block* block = findSection(section);
    if (!block)
        return names;
    for (int i = 0; i < block->lines.size(); ++i) {
        const Line& line = block->lines[i];
        if (line.kind == Line::Entry && block->entries.value(keyOf(line.name)) == i)
            names.append(line.name);
    }
    return names;
}

void IniFile::changed()
{
    dirty_ = true;
    if (batchDepth_ == 0)
        save();
}

void IniFile::save()
{
    QString text;
    bool lineOpen = false;
    // Only the last line may end without a line break.
    const auto put = [&](const Line& line) {
        if (lineOpen)
            text += lineEnding_;
        text += line.raw;
        text += line.ending;
        lineOpen = line.ending.isEmpty();
    };
    for (const Block& block : std::as_const(blocks_)) {
        if (block.header.kind == Line::Section)
            put(block.header);
        for (const Line& line : block.lines)
            put(line);
    }
    try {
        writer_->save(path_, ToWin1251(text));
    } catch (...) {
        // The file on disk is the old one: read it back so memory does not claim otherwise.
        dirty_ = false;
        reload();
        throw;
    }
    dirty_ = false;
    const QFileInfo info(path_);
    loadedModified_ = info.lastModified();
    loadedSize_ = info.size();
}

IniFile::Batch::Batch(IniFile& file) : file_(file)
{
    ++file_.batchDepth_;
}

IniFile::Batch::~Batch() noexcept(false)
{
    if (--file_.batchDepth_ == 0 && file_.dirty_) {
        if (std::uncaught_exceptions() > 0) {
            try {
                file_.save();
            } catch (...) {
            }
        } else {
            file_.save();
        }
    }
}

} // namespace kvt
