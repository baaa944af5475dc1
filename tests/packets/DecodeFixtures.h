#pragma once

#include "forms/ControlConfig.h"
#include "forms/ObjectForm.h"
#include "packets/ApplyStatePacket.h"
#include "support/RecordingLinkCheckPeriods.h"
#include "support/RecordingSinks.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QTest>

#include <memory>

// Object forms built in code for decoding tests, decoded with timers that record what they were told.
namespace kvt::test {

using ConfigRows = QList<QPair<QString, QString>>;

// The Hint text of a control configuration with these rows.
inline QString ConfigHint(const ConfigRows& rows)
{
    return MakeConfigText(rows);
}

// A form with controls added one by one, and a decoder with a recording blink timer.
class DecodeBench {
public:
    DecodeBench() : decoder(timer, QLatin1Char('.')) {}

    FormControl* add(const QString& className, const QString& name, const ConfigRows& rows, int helpContext = 0)
    {
        return add(className, name, ConfigHint(rows), helpContext);
    }

    FormControl* add(const QString& className, const QString& name, const QString& hint, int helpContext = 0)
    {
        auto control = std::make_unique<FormControl>(className, name);
        control->setHint(hint);
        control->setHelpContext(helpContext);
        return form.addControl(std::move(control));
    }

    std::optional<StatePacketResult> apply(const QString& packet, bool full = true)
    {
        return decoder.ApplyStatePacket(&form, packet, full, QStringLiteral("01.02.24  10:30"),
                                        QStringLiteral("Насосная 1"), QStringLiteral("79123456789"), &linkCheckPeriods);
    }

    const StateSummaries& summaries() const { return decoder.summaries(); }

    ObjectForm form;
    FakeMainTimers timer;
    RecordingLinkCheckPeriods linkCheckPeriods;
    StatePacketDecoder decoder;
};

} // namespace kvt::test
