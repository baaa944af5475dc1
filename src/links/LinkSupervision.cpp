#include "links/LinkSupervision.h"

#include "common/Clock.h"
#include "common/EventSink.h"
#include "common/IniFile.h"
#include "common/StatusIcon.h"
#include "common/SupervisionPause.h"
#include "links/LinkChannelKeys.h"
#include "links/LinkCheckTime.h"
#include "links/LinkPeers.h"
#include "serial/LinkIndicators.h"

namespace kvt::links {

namespace {

constexpr int kFirstObjectNode = 1;
// ErrCnt above this means no contact over the link.
constexpr int kMaxErrorsWithContact = 2;
const QString kNotSupervised = QStringLiteral("0");

constexpr int Icon(StatusIcon icon)
{
    return static_cast<int>(icon);
}

bool OneOf(int icon, std::initializer_list<StatusIcon> icons)
{
    for (StatusIcon candidate : icons) {
        if (icon == Icon(candidate))
            return true;
    }
    return false;
}

} // namespace

const QString LinkSupervision::kGsmLostTitle = QStringLiteral("Нет связи (GSM) с объектом");
const QString LinkSupervision::kGsmFoundTitle = QStringLiteral("Связь с объектом установлена");

void LinkSupervision::Timer2Timer()
{
    if (parts_.addObjectWindowShowing())
        return;
    SupervisedTree& tree = parts_.tree;
    bool walk = !parts_.pause.isSet() && tree.nodeCount() > kFirstObjectNode;
    if (walk) {
        const std::optional<QString> timeRing = parts_.records.currentTimeRing();
        walk = timeRing && !timeRing->isEmpty();
    }
    if (walk) {
        const QHash<QString, SupervisedObject> records = recordsByFoldedName();
        std::optional<int> located;
        for (int node = kFirstObjectNode; node < tree.nodeCount(); ++node) {
            if (const std::optional<int> code = judge(node, records))
                located = code;
        }
        if (located)
            parts_.records.standOn(*located);
    }
    tree.repaintTrees();
}

QHash<QString, SupervisedObject> LinkSupervision::recordsByFoldedName() const
{
    QHash<QString, SupervisedObject> byName;
    for (const SupervisedObject& record : parts_.records.recordsByName()) {
        const QString key = record.name.toCaseFolded();
        if (!byName.contains(key))
            byName.insert(key, record);
    }
    return byName;
}

std::optional<int> LinkSupervision::judge(int node, const QHash<QString, SupervisedObject>& records)
{
    const auto found = records.constFind(parts_.tree.nodeText(node).toCaseFolded());
    if (found == records.constEnd())
        return std::nullopt;
    const SupervisedObject* object = &*found;
    const QString section = QString::number(object->code);
    const QString link = parts_.zigBee.readString(section, kLinkOfLastContactKey);
    if (link == kRadioContact)
        shortRangeRule(node, parts_.zigBee.readInteger(section, kErrorCountKey, 0), LinkLamp::Radio,
                       Icon(StatusIcon::RadioUp), Icon(StatusIcon::RadioDown));
    else if (link == kRs485Contact)
        shortRangeRule(node, parts_.rs485.readInteger(section, kErrorCountKey, 0), LinkLamp::Rs485,
                       Icon(StatusIcon::Rs485Up), Icon(StatusIcon::Rs485Down));
    else
        gsmRule(node, *object);
    return object->code;
}

void LinkSupervision::shortRangeRule(int node, int errCnt, LinkLamp lamp, int reachedIcon, int lostIcon)
{
    SupervisedTree& tree = parts_.tree;
    if (tree.nodeIcon(node) == Icon(StatusIcon::Alarm)) {
        if (tree.selectedNodeIcon() == Icon(StatusIcon::Alarm))
            tree.setHistoryRootIcon(Icon(StatusIcon::Alarm));
        return;
    }
    const bool lampOut = parts_.lamps.helpContext(lamp) == LinkIndicators::kLinkDownMarker;
    const int icon = errCnt > kMaxErrorsWithContact || lampOut ? lostIcon : reachedIcon;
    tree.setNodeIcon(node, icon);
    if (tree.selectedNodeIcon() == icon)
        tree.setHistoryRootIcon(icon);
}

void LinkSupervision::gsmRule(int walkedNode, const SupervisedObject& object)
{
    SupervisedTree& tree = parts_.tree;
    // The object's node is found by its record's name; a name that differs from the node's
    // text in letter case only finds no node, and then the walked node is the object's.
    int node = tree.findNode(object.name);
    if (node < 0)
        node = walkedNode;

    if (parts_.modemLost()) {
        const int shown = tree.nodeIcon(node);
        if (shown != Icon(StatusIcon::GsmDown) && shown != Icon(StatusIcon::None))
            parts_.log.LogEvent(kGsmLostTitle, object.name, EventColour::Red);
        tree.setNodeIcon(node, Icon(StatusIcon::GsmDown));
        if (!OneOf(tree.selectedNodeIcon(), {StatusIcon::RadioUp, StatusIcon::RadioDown, StatusIcon::Alarm,
                                             StatusIcon::Rs485Up, StatusIcon::Rs485Down}))
            tree.setHistoryRootIcon(Icon(StatusIcon::GsmDown));
        return;
    }

    if (object.linkCheckPeriod.isEmpty()
        || OneOf(tree.nodeIcon(walkedNode), {StatusIcon::Alarm, StatusIcon::SmsProblem, StatusIcon::NewData}))
        return;
    if (object.linkCheckPeriod == kNotSupervised) {
        markGsmObject(node, object.name, Icon(StatusIcon::CheckOff));
        return;
    }
    bool periodIsNumber = false;
    const int period = object.linkCheckPeriod.trimmed().toInt(&periodIsNumber);
    if (!periodIsNumber) {
        reportBadValue(object, QStringLiteral("Proverca_S"), object.linkCheckPeriod);
        return;
    }
    const LinkCheckVerdict verdict = JudgeLinkCheck(object.timeRing, period, parts_.clock.now());
    switch (verdict.kind) {
    case LinkCheckVerdict::Kind::Incomplete:
        return;
    case LinkCheckVerdict::Kind::NotANumber:
        reportBadValue(object, QStringLiteral("Time_Ring"), object.timeRing);
        return;
    case LinkCheckVerdict::Kind::Overdue:
        badValueLogged_.remove(object.code);
        if (const int shown = tree.nodeIcon(node); shown != Icon(StatusIcon::GsmDown) && shown != Icon(StatusIcon::None))
            parts_.log.LogEvent(kGsmLostTitle, object.name, EventColour::Red);
        markGsmObject(node, object.name, Icon(StatusIcon::GsmDown));
        return;
    case LinkCheckVerdict::Kind::InTime:
        badValueLogged_.remove(object.code);
        if (tree.nodeIcon(node) != Icon(StatusIcon::GsmUp))
            parts_.log.LogEvent(kGsmFoundTitle, object.name, EventColour::Yellow);
        markGsmObject(node, object.name, Icon(StatusIcon::GsmUp));
        return;
    }
}

void LinkSupervision::markGsmObject(int node, const QString& name, int icon)
{
    SupervisedTree& tree = parts_.tree;
    tree.setNodeIcon(node, icon);
    if (tree.historyRootText() == name) {
        tree.setHistoryRootIcon(icon);
        tree.repaintHistory();
    }
}

void LinkSupervision::reportBadValue(const SupervisedObject& object, const QString& field, const QString& value)
{
    if (badValueLogged_.contains(object.code))
        return;
    badValueLogged_.insert(object.code);
    parts_.log.LogEvent(QStringLiteral("Проверка связи с объектом не выполняется: %1 «%2» не число").arg(field, value),
                        object.name, EventColour::Red);
}

} // namespace kvt::links
