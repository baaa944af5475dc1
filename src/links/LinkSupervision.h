#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

#include <functional>
#include <optional>

namespace kvt {
class Clock;
class EventSink;
class IniFile;
class LinkIndicators;
class SupervisionPause;
enum class LinkLamp;
} // namespace kvt

namespace kvt::links {

// The object tree and the history tree as link supervision walks them. Nodes of the object tree
// by absolute index: 0 is the root "Список объектов", the objects follow from 1. Icons are the
// object status icons (image and selected index set together; -1 for none).
class SupervisedTree {
public:
    virtual ~SupervisedTree() = default;

    virtual int nodeCount() const = 0;
    virtual QString nodeText(int node) const = 0;
    virtual int nodeIcon(int node) const = 0;
    virtual void setNodeIcon(int node, int icon) = 0;
    // FindObjectNode: the first node whose text is exactly `name`; -1 when none.
    virtual int findNode(const QString& name) const = 0;
    // The icon of the selected node of the object tree; -1 when none is selected.
    virtual int selectedNodeIcon() const = 0;
    // The root node of the history tree (Time_TreeView), which names the object it shows.
    virtual QString historyRootText() const = 0;
    virtual void setHistoryRootIcon(int icon) = 0;
    virtual void repaintHistory() = 0;
    // Repaints the object tree and the history tree.
    virtual void repaintTrees() = 0;
};

// A record of the objects table as supervision reads it.
struct SupervisedObject {
    int code = 0;            // Kod_O
    QString name;            // Name_O
    QString linkCheckPeriod; // Proverca_S: minutes as text; "0": not supervised; empty: skipped
    QString timeRing;        // Time_Ring: the last link-check call
};

// The objects table as supervision reads it.
class SupervisedRecords {
public:
    virtual ~SupervisedRecords() = default;

    // Every record, in the order of the table's name index.
    virtual QList<SupervisedObject> recordsByName() const = 0;
    // Time_Ring of the record the table stands on; none when it stands on none.
    virtual std::optional<QString> currentTimeRing() const = 0;
    // The table stands on the record with this code.
    virtual void standOn(int code) = 0;
};

// What link supervision reads and marks.
struct SupervisionParts {
    SupervisedTree& tree;
    SupervisedRecords& records;
    const IniFile& zigBee; // SVYAZ and the radio ErrCnt
    const IniFile& rs485;  // the RS-485 ErrCnt
    const LinkIndicators& lamps;
    const SupervisionPause& pause;
    // The modem keep-alive cycle counts the modem as lost.
    std::function<bool()> modemLost;
    // The add/edit object window is on screen.
    std::function<bool()> addObjectWindowShowing;
    EventSink& log;
    const Clock& clock;
};

// Link supervision (Timer2, every 5 s): each object node of the tree gets the icon of its link.
// A radio or RS-485 object (SVYAZ "ZigBee" or "RS485" in ZigBee.ini) shows whether its link
// engine reaches it (ErrCnt below 3 and the link's lamp lit); a GSM object whether its last
// link-check call is within the overdue limit of its Proverca_S, or that the modem is lost.
// Losing and finding a GSM object is logged. An alarm (icon 4) stays; a GSM object showing new
// data (3) or an alarm call (7) is left to the operator's reset.
//
// Each node is judged with the first record whose name equals its text ignoring letter case;
// the objects table stands on the last record so found after the walk. A node without a record
// of its own is passed over, and so is an object whose Proverca_S or
// Time_Ring is not a number (told once in the event log, until it is mended), so that the
// objects after it are still walked.
class LinkSupervision {
public:
    static const QString kGsmLostTitle;
    static const QString kGsmFoundTitle;

    explicit LinkSupervision(SupervisionParts parts) : parts_(parts) {}

    void Timer2Timer();

private:
    // The records by their names folded to one letter case; the first of equal names wins.
    QHash<QString, SupervisedObject> recordsByFoldedName() const;
    // Judges the node; returns the code of its record, none when it has none.
    std::optional<int> judge(int node, const QHash<QString, SupervisedObject>& records);
    void shortRangeRule(int node, int errCnt, LinkLamp lamp, int reachedIcon, int lostIcon);
    void gsmRule(int walkedNode, const SupervisedObject& object);
    // Sets the node's icon, and the history root's when it shows this object.
    void markGsmObject(int node, const QString& name, int icon);
    void reportBadValue(const SupervisedObject& object, const QString& field, const QString& value);

    SupervisionParts parts_;
    // Objects whose bad Proverca_S or Time_Ring has been logged.
    QSet<int> badValueLogged_;
};

} // namespace kvt::links
