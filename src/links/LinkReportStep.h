#pragma once

#include "links/LinkKind.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace kvt {
class Clock;
class EventSink;
class IniFile;
class StatePacketArrivalHost;
} // namespace kvt

namespace kvt::links {

class LinkMailbox;

// An object that has sent a link report, as the report steps see it.
struct ReportingObject {
    int code = 0;  // Kod_O
    QString name;  // Name_O
    QString phone; // Phone_O
};

// What the report steps use of the store and the main window besides the arrival of a changed
// packet.
class ReportStepHost {
public:
    virtual ~ReportStepHost() = default;

    // Locates the record of the objects table whose Kod_O is `code` (the table then stands on
    // it); none when there is no such object.
    virtual std::optional<ReportingObject> locateObject(int code) = 0;
    // The text of the selected node of the object tree; empty when none is selected.
    virtual QString selectedNodeText() const = 0;
    // Label17, the object's state line above its form.
    virtual void showStateLine(const QString& text) = 0;
    // How many of the current form's direct controls are page switches showing their first page.
    virtual int pageSwitchesOnFirstPage() const = 0;
    // ApplyStatePacket, display only, onto the current form.
    virtual void redrawForm(const QString& packet) = 0;
};

// What one report step works with.
struct LinkReportStepParts {
    LinkKind link;
    LinkMailbox& mailbox;
    IniFile& ownFile;   // the link's channel file: ZigBee.ini for the radio link, RS485.ini for RS-485
    IniFile& otherFile; // the other channel file
    ReportStepHost& host;
    StatePacketArrivalHost& arrival;
    EventSink& log;
    Clock& clock;
};

// The radio step or the RS-485 step of a QueryTimer tick: the oldest report waiting in the
// link's mailbox is handled and taken out.
//
// A report of exactly 140 bytes from a registered object is compared with the last state of
// the object over this link (STATE in the link's channel file) by its state signature, and the
// link of last contact (SVYAZ) becomes this link in both channel files. A changed state is an
// arrival (windows closed, yellow line, stored, selected, sound, icons, history, decoded in
// full); an unchanged one only refreshes the state line of the selected object and redraws its
// form once per page switch showing the scheme.
//
// Dropped without a trace: a report of another length or from an unknown object. Dropped with
// a red line: a report without a first line to judge (nothing before its first CR, or blank).
// A failure of the store or the files leaves the report waiting for the next tick, unless the
// packet is in the history already (it is never stored twice); a report that fails
// kReportAttempts ticks in a row is given up with a red line, so that the reports behind it are
// not held up. The failure itself goes on to the global error handler.
class LinkReportStep {
public:
    static constexpr int kReportAttempts = 3;
    static const QString kChangedTitle;
    static const QString kRadioStateLine;
    static const QString kRs485StateLine;

    explicit LinkReportStep(LinkReportStepParts parts) : parts_(parts) {}

    // Handles the waiting report, if any. False when the tick must end here: an RS-485 report
    // without a first line ends it, as the receive dispatcher has always done, but is taken out.
    bool run();

private:
    enum class Outcome { Handled, EndTick };
    Outcome handle(const QByteArray& data, int objectCode, bool& stored);
    bool isChanged(const QString& section, const QString& signature);
    void writeContact(IniFile& file, const QString& section);
    void showUnchanged(const ReportingObject& object, const QString& packet);
    void takeReport();
    void dropBlankReport(const QString& name);
    void giveUp(const QString& name, const QString& reason);

    LinkReportStepParts parts_;
    // The report at the head of the mailbox while it is being tried: whether its state changed
    // (decided once, before STATE is written) and how many ticks it has failed.
    struct Attempt {
        int object = 0;
        QByteArray data;
        QString name; // Name_O, once the object has been found
        std::optional<bool> changed;
        int failures = 0;
    };
    std::optional<Attempt> attempt_;
};

} // namespace kvt::links
