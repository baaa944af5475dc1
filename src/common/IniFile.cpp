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

    lines_.clear();
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
        } else if (!trimmed.startsWith(QLatin1Char(';')) && trimmed.contains(QLatin1Char('='))) {
            const qsizetype eq = trimmed.indexOf(QLatin1Char('='));
            line.name = trimmed.left(eq).trimmed();
            line.value = trimmed.mid(eq + 1).trimmed();
            line.kind = line.name.isEmpty() ? Line::Other : Line::Entry;
        }
        lines_.append(std::move(line));
    }
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

void IniFile::rebuildIndex() const
{
    sectionIndex_.clear();
    entryIndex_.clear();
    QString current;
    bool currentIsFirst = false;
    for (int i = 0; i < lines_.size(); ++i) {
        const Line& line = lines_[i];
        if (line.kind == Line::Section) {
            current = keyOf(line.name);
            currentIsFirst = !sectionIndex_.contains(current);
            if (currentIsFirst)
                sectionIndex_.insert(current, i);
        } else if (line.kind == Line::Entry && currentIsFirst) {
            QHash<QString, int>& entries = entryIndex_[current];
            const QString key = keyOf(line.name);
            if (!entries.contains(key))
                entries.insert(key, i);
        }
    }
}

int IniFile::findSection(const QString& section) const
{
    return sectionIndex_.value(keyOf(section), -1);
}

int IniFile::findEntry(const QString& section, const QString& key) const
{
    const auto it = entryIndex_.constFind(keyOf(section));
    if (it == entryIndex_.constEnd())
        return -1;
    return it->value(keyOf(key), -1);
}

QString IniFile::readString(const QString& section, const QString& key, const QString& defaultValue) const
{
    refreshIfChanged();
    const int at = findEntry(section, key);
    return at < 0 ? defaultValue : lines_[at].value;
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

    const int existing = findEntry(section, key);
    if (existing >= 0) {
        entry.ending = lines_[existing].ending;
        lines_[existing] = entry;
    } else {
        int header = findSection(section);
        if (header < 0) {
            Line head;
            head.kind = Line::Section;
            head.name = section;
            head.raw = QLatin1Char('[') + section + QLatin1Char(']');
            head.ending = lineEnding_;
            lines_.append(head);
            lines_.append(entry);
        } else {
            // After the last key of the section, before the blank lines that end it.
            int insertAt = header + 1;
            for (int i = header + 1; i < lines_.size() && lines_[i].kind != Line::Section; ++i) {
                if (!lines_[i].raw.trimmed().isEmpty())
                    insertAt = i + 1;
            }
            lines_.insert(insertAt, entry);
        }
        rebuildIndex();
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
    const int at = findEntry(section, key);
    if (at < 0)
        return;
    lines_.removeAt(at);
    rebuildIndex();
    changed();
}

void IniFile::eraseSection(const QString& section)
{
    refreshIfChanged();
    const QString wanted = keyOf(section);
    bool removed = false;
    for (int i = 0; i < lines_.size();) {
        if (lines_[i].kind == Line::Section && keyOf(lines_[i].name) == wanted) {
            int end = i + 1;
            while (end < lines_.size() && lines_[end].kind != Line::Section)
                ++end;
            lines_.remove(i, end - i);
            removed = true;
        } else {
            ++i;
        }
    }
    if (!removed)
        return;
    rebuildIndex();
    changed();
}

bool IniFile::sectionExists(const QString& section) const
{
    refreshIfChanged();
    return findSection(section) >= 0;
}

bool IniFile::valueExists(const QString& section, const QString& key) const
{
    refreshIfChanged();
    return findEntry(section, key) >= 0;
}

QStringList IniFile::sections() const
{
    refreshIfChanged();
    QStringList names;
    QSet<QString> seen;
    for (const Line& line : lines_) {
        if (line.kind == Line::Section && !seen.contains(keyOf(line.name))) {
            seen.insert(keyOf(line.name));
            names.append(line.name);
        }
    }
    return names;
}

QStringList IniFile::keys(const QString& section) const
{
    refreshIfChanged();
    QStringList names;
    const int header = findSection(section);
    if (header < 0)
        return names;
    QSet<QString> seen;
    for (int i = header + 1; i < lines_.size() && lines_[i].kind != Line::Section; ++i) {
        if (lines_[i].kind == Line::Entry && !seen.contains(keyOf(lines_[i].name))) {
            seen.insert(keyOf(lines_[i].name));
            names.append(lines_[i].name);
        }
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
    for (int i = 0; i < lines_.size(); ++i) {
        text += lines_[i].raw;
        // Only the last line may end without a line break.
        const bool last = i == lines_.size() - 1;
        text += lines_[i].ending.isEmpty() && !last ? lineEnding_ : lines_[i].ending;
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
