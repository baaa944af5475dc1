#pragma once

#include "common/IniFile.h"
#include "common/SupervisionPause.h"
#include "links/LinkSupervision.h"
#include "serial/LinkIndicators.h"
#include "support/RecordingSinks.h"
#include "support/VirtualClock.h"

#include <QList>
#include <QTemporaryDir>

#include <memory>

namespace kvt::test {

// The object tree, the history root and the objects table as link supervision sees them, kept
// in memory: nodes by absolute index (0 is the root), the records in name order.
class FakeSupervisedTree : public links::SupervisedTree, public links::SupervisedRecords {
public:
    struct Node {
        QString text;
        int icon = -1;
    };
    QList<Node> nodes{{QStringLiteral("Список объектов"), 0}};
    int selected = -1; // absolute index of the selected node
    QString rootText;
    int rootIcon = -1;
    QList<links::SupervisedObject> records;
    std::optional<int> standing; // the code of the record the table stands on
    int treeRepaints = 0;
    int historyRepaints = 0;

    int nodeCount() const override { return int(nodes.size()); }
    QString nodeText(int node) const override { return nodes[node].text; }
    int nodeIcon(int node) const override { return nodes[node].icon; }
    void setNodeIcon(int node, int icon) override { nodes[node].icon = icon; }
    int findNode(const QString& name) const override
    {
        for (int i = 0; i < nodes.size(); ++i) {
            if (nodes[i].text == name)
                return i;
        }
        return -1;
    }
    int selectedNodeIcon() const override { return selected < 0 ? -1 : nodes[selected].icon; }
    QString historyRootText() const override { return rootText; }
    void setHistoryRootIcon(int icon) override { rootIcon = icon; }
    void repaintHistory() override { ++historyRepaints; }
    void repaintTrees() override { ++treeRepaints; }

    QList<links::SupervisedObject> recordsByName() const override { return records; }
    std::optional<QString> currentTimeRing() const override
    {
        for (const links::SupervisedObject& record : records) {
            if (standing && record.code == *standing)
                return record.timeRing;
        }
        return std::nullopt;
    }
    void standOn(int code) override { standing = code; }

    // Adds an object: its node and its record.
    void addObject(int code, const QString& name, const QString& period, const QString& timeRing, int icon = -1)
    {
        nodes.append({name, icon});
        records.append({code, name, period, timeRing});
        standing = code;
    }
    QList<int> icons() const
    {
        QList<int> shown;
        for (int i = 1; i < nodes.size(); ++i)
            shown << nodes[i].icon;
        return shown;
    }
};

// Link supervision over the fake tree with real channel files, lamps and the virtual clock.
struct SupervisionRig {
    QTemporaryDir dir;
    IniFile zigBee{dir.filePath(QStringLiteral("ZigBee.ini"))};
    IniFile rs485{dir.filePath(QStringLiteral("RS485.ini"))};
    FakeSupervisedTree tree;
    LinkIndicators lamps;
    SupervisionPause pause;
    bool modemLost = false;
    bool addObjectWindow = false;
    RecordingEventSink log;
    VirtualClock clock;
    links::LinkSupervision supervision{links::SupervisionParts{
        tree, tree, zigBee, rs485, lamps, pause, [this] { return modemLost; }, [this] { return addObjectWindow; },
        log, clock}};

    void Timer2Timer() { supervision.Timer2Timer(); }
    // An object heard last over the radio (or RS-485) link with that error counter.
    void shortRange(int code, const QString& link, int errCnt)
    {
        IniFile& own = link == QStringLiteral("RS485") ? rs485 : zigBee;
        zigBee.writeString(QString::number(code), QStringLiteral("SVYAZ"), link);
        own.writeInteger(QString::number(code), QStringLiteral("ErrCnt"), errCnt);
    }
};

} // namespace kvt::test
