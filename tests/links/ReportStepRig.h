#pragma once

#include "common/Errors.h"
#include "common/IniFile.h"
#include "links/LinkMailbox.h"
#include "links/LinkReportStep.h"
#include "packets/StatePacketArrival.h"
#include "support/RecordingSinks.h"
#include "support/VirtualClock.h"

#include <QHash>
#include <QStringList>
#include <QTemporaryDir>

namespace kvt::test {

// The store, the main window and the arrival of a changed packet as the report steps meet them,
// kept in memory: each arrival step is recorded by its name, and any step can be made to fail
// as a locked table would.
class FakeReportConsole : public links::ReportStepHost, public StatePacketArrivalHost {
public:
    QHash<int, links::ReportingObject> objects;
    QString selected;
    QString stateLine;
    int firstPageSwitches = 0;
    QStringList redraws;
    QStringList steps;      // the arrival's steps, e.g. "store 1 15.01.24  12:00"
    QStringList storedPackets;
    QString failAt;         // an arrival step starting with this throws StoreError
    int failuresLeft = 0;   // how many times it throws (-1: always)

    std::optional<links::ReportingObject> locateObject(int code) override
    {
        const auto found = objects.constFind(code);
        return found == objects.constEnd() ? std::nullopt : std::optional(*found);
    }
    QString selectedNodeText() const override { return selected; }
    void showStateLine(const QString& text) override { stateLine = text; }
    int pageSwitchesOnFirstPage() const override { return firstPageSwitches; }
    void redrawForm(const QString& packet) override { redraws << packet; }

    void closeWindow(ArrivalWindow window) override { step(QStringLiteral("close %1").arg(int(window))); }
    qint64 storePacket(int objectCode, const QString& stamp, const QString& packet,
                       const std::function<void(qint64)>&) override
    {
        step(QStringLiteral("store %1 %2").arg(objectCode).arg(stamp));
        storedPackets << packet;
        return storedPackets.size();
    }
    void selectObjectNode(int objectCode) override { step(QStringLiteral("select %1").arg(objectCode)); }
    void playDataReceivedSound() override { step(QStringLiteral("sound")); }
    void showNewDataIcons() override { step(QStringLiteral("icons")); }
    void writeLinkOfLastContact(int objectCode, const QString& link) override
    {
        step(QStringLiteral("link %1 %2").arg(objectCode).arg(link));
    }
    void storeLatestState(int objectCode, const QString&, const QString&) override
    {
        step(QStringLiteral("latest %1").arg(objectCode));
    }
    void rebuildHistory(int objectCode) override { step(QStringLiteral("history %1").arg(objectCode)); }
    void applyStatePacket(const QString&, const QString&, const QString& name, const QString& phone) override
    {
        step(QStringLiteral("apply %1 %2").arg(name, phone));
    }

private:
    void step(const QString& name)
    {
        if (!failAt.isEmpty() && name.startsWith(failAt) && failuresLeft != 0) {
            if (failuresLeft > 0)
                --failuresLeft;
            throw StoreError(QStringLiteral("Таблица занята"));
        }
        steps << name;
    }
};

// The radio and RS-485 report steps over their mailboxes, real channel files and the fake
// console, at 12:00:07 on 15 January 2024 of the virtual clock.
struct ReportStepRig {
    QTemporaryDir dir;
    IniFile zigBee{dir.filePath(QStringLiteral("ZigBee.ini"))};
    IniFile rs485{dir.filePath(QStringLiteral("RS485.ini"))};
    links::LinkMailbox radioLink;
    links::LinkMailbox rs485Link;
    FakeReportConsole console;
    RecordingEventSink log;
    VirtualClock clock{QDateTime(QDate(2024, 1, 15), QTime(12, 0, 7))};
    links::LinkReportStep radio{{links::LinkKind::Radio, radioLink, zigBee, rs485, console, console, log, clock}};
    links::LinkReportStep rs485Step{{links::LinkKind::Rs485, rs485Link, rs485, zigBee, console, console, log, clock}};

    ReportStepRig()
    {
        console.objects.insert(7, {7, QStringLiteral("Насосная"), QStringLiteral("79161234501")});
    }
    // A report of `size` bytes: the first line, CR LF, then points.
    static QByteArray Report(const QByteArray& firstLine, int size = links::kLinkReportSize)
    {
        return (firstLine + "\r\n").leftJustified(size, '.', true);
    }
    void arrive(links::LinkMailbox& mailbox, const QByteArray& data, int object = 7)
    {
        mailbox.putReport({object, data});
    }
    QString state(IniFile& file, int object = 7) const
    {
        return file.readString(QString::number(object), QStringLiteral("STATE"));
    }
    QString contact(IniFile& file, int object = 7) const
    {
        return file.readString(QString::number(object), QStringLiteral("SVYAZ"));
    }
};

} // namespace kvt::test
