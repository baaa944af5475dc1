#include "links/LinkReportStep.h"

#include "common/Clock.h"
#include "common/ErrorHandler.h"
#include "common/EventSink.h"
#include "common/Hex.h"
#include "common/IniFile.h"
#include "links/LinkChannelKeys.h"
#include "links/LinkMailbox.h"
#include "links/ReportSignature.h"
#include "packets/StatePacketArrival.h"

namespace kvt::links {

namespace {

// Passes every step of an arrival on and notes when the packet has been stored, so that a
// failure after that point does not store it a second time at the next tick.
class StoreWatch final : public StatePacketArrivalHost {
public:
    StoreWatch(StatePacketArrivalHost& inner, bool& stored) : inner_(inner), stored_(stored) {}

    void closeWindow(ArrivalWindow window) override { inner_.closeWindow(window); }
    qint64 storePacket(int objectCode, const QString& stamp, const QString& packet,
                       const std::function<void(qint64)>& alsoCommit) override
    {
        const qint64 code = inner_.storePacket(objectCode, stamp, packet, alsoCommit);
        stored_ = true;
        return code;
    }
    void selectObjectNode(int objectCode) override { inner_.selectObjectNode(objectCode); }
    void playDataReceivedSound() override { inner_.playDataReceivedSound(); }
    void showNewDataIcons() override { inner_.showNewDataIcons(); }
    void writeLinkOfLastContact(int objectCode, const QString& link) override
    {
        inner_.writeLinkOfLastContact(objectCode, link);
    }
    void storeLatestState(int objectCode, const QString& packet, const QString& stamp) override
    {
        inner_.storeLatestState(objectCode, packet, stamp);
    }
    void rebuildHistory(int objectCode) override { inner_.rebuildHistory(objectCode); }
    void applyStatePacket(const QString& packet, const QString& stamp, const QString& name,
                          const QString& phone) override
    {
        inner_.applyStatePacket(packet, stamp, name, phone);
    }

private:
    StatePacketArrivalHost& inner_;
    bool& stored_;
};

QString OverLink(LinkKind link)
{
    return link == LinkKind::Radio ? QStringLiteral("по радиоканалу") : QStringLiteral("по каналу RS485");
}

} // namespace

const QString LinkReportStep::kChangedTitle = QStringLiteral("В работе системы произошли изменения для объекта ");
const QString LinkReportStep::kRadioStateLine = QStringLiteral("      Текущее состояние (радиоканал): ");
const QString LinkReportStep::kRs485StateLine = QStringLiteral("      Текущее состояние (RS485): ");

bool LinkReportStep::run()
{
    const std::optional<LinkReport> report = parts_.mailbox.waitingReport();
    if (!report)
        return true;
    if (!attempt_ || attempt_->object != report->object || attempt_->data != report->data)
        attempt_ = Attempt{report->object, report->data, {}, std::nullopt, 0};
    bool stored = false;
    try {
        const Outcome outcome = handle(report->data, report->object, stored);
        takeReport();
        return outcome == Outcome::Handled;
    } catch (...) {
        if (stored) {
            takeReport();
        } else if (++attempt_->failures >= kReportAttempts) {
            const QString reason = GlobalErrorHandler::textOf(std::current_exception());
            const QString name = attempt_->name.isEmpty() ? QString::number(report->object) : attempt_->name;
            takeReport();
            giveUp(name, reason);
        }
        throw;
    }
}

LinkReportStep::Outcome LinkReportStep::handle(const QByteArray& data, int objectCode, bool& stored)
{
    if (data.size() != kLinkReportSize)
        return Outcome::Handled;
    const std::optional<ReportingObject> object = parts_.host.locateObject(objectCode);
    if (!object)
        return Outcome::Handled;
    const std::optional<QString> signature = StateSignature(data, parts_.link);
    attempt_->name = object->name;
    if (!signature) {
        dropBlankReport(object->name);
        return parts_.link == LinkKind::Rs485 ? Outcome::EndTick : Outcome::Handled;
    }

    const QString section = QString::number(objectCode);
    if (!attempt_->changed)
        attempt_->changed = isChanged(section, *signature);
    {
        IniFile::Batch batch(parts_.ownFile);
        if (*attempt_->changed)
            parts_.ownFile.writeString(section, kStateKey, *signature);
        writeContact(parts_.ownFile, section);
    }
    writeContact(parts_.otherFile, QString::number(object->code));

    const QString stamp = ReceiptStamp(parts_.clock.now());
    const QString packet = BytesToHex(data);
    if (*attempt_->changed) {
        StoreWatch watch(parts_.arrival, stored);
        StatePacketArrival(watch, parts_.log)
            .run({object->code, object->name, object->phone, stamp, packet, kChangedTitle, std::nullopt, {}});
    } else if (object->name == parts_.host.selectedNodeText()) {
        showUnchanged(*object, packet);
    }
    return Outcome::Handled;
}

bool LinkReportStep::isChanged(const QString& section, const QString& signature)
{
    // The channel file keeps values without their surrounding spaces; a signature that ends in
    // a space (a value field cut from the end) is compared the same way, or it would count as a
    // change every time.
    return parts_.ownFile.readString(section, kStateKey).trimmed() != signature.trimmed();
}

void LinkReportStep::writeContact(IniFile& file, const QString& section)
{
    // Heard over the same link as before: the file already says so and is not written again.
    const QString& contact = ContactOf(parts_.link);
    if (file.readString(section, kLinkOfLastContactKey) != contact)
        file.writeString(section, kLinkOfLastContactKey, contact);
}

void LinkReportStep::showUnchanged(const ReportingObject& object, const QString& packet)
{
    const QDateTime now = parts_.clock.now();
    const QString& title = parts_.link == LinkKind::Radio ? kRadioStateLine : kRs485StateLine;
    parts_.host.showStateLine(object.name + title + now.toString(QStringLiteral("dd.MM.yy")) + QStringLiteral("  ")
                              + now.toString(QStringLiteral("hh:mm:ss")));
    for (int redraws = parts_.host.pageSwitchesOnFirstPage(); redraws > 0; --redraws)
        parts_.host.redrawForm(packet);
}

void LinkReportStep::takeReport()
{
    parts_.mailbox.takeReport();
    attempt_.reset();
}

void LinkReportStep::dropBlankReport(const QString& name)
{
    parts_.log.LogEvent(QStringLiteral("Отчёт объекта %1 отброшен: в его первой строке нет текста").arg(OverLink(parts_.link)),
                        name, EventColour::Red);
}

void LinkReportStep::giveUp(const QString& name, const QString& reason)
{
    parts_.log.LogEvent(QStringLiteral("Отчёт объекта %1 не обработан (%2 попытки) и отброшен: %3")
                            .arg(OverLink(parts_.link))
                            .arg(kReportAttempts)
                            .arg(reason),
                        name, EventColour::Red);
}

} // namespace kvt::links
