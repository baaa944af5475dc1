#include "Command.h"
#include "ToolTimers.h"

#include "common/Errors.h"
#include "forms/ObjectForm.h"
#include "packets/ApplyStatePacket.h"
#include "packets/DecodeReport.h"

#include <memory>
#include <optional>

namespace {

int RunDecode(const QStringList& args, kvt::tool::Streams& io)
{
    QStringList positional;
    bool full = false;
    for (const QString& arg : args) {
        if (arg == QLatin1String("--full"))
            full = true;
        else
            positional << arg;
    }
    if (positional.size() != 2) {
        io.err << "usage: kvt-tool decode FORM.kof PACKET_HEX [--full]\n";
        return 2;
    }
    std::unique_ptr<kvt::ObjectForm> form;
    try {
        form = kvt::ObjectForm::FromFile(positional.at(0));
    } catch (const kvt::KvtError& e) {
        io.err << "kvt-tool decode: " << e.message() << '\n';
        return 2;
    }
    kvt::tool::ToolTimers timers;
    kvt::StatePacketDecoder decoder(timers);
    std::optional<QString> error;
    try {
        // No store here: the link-check period is reported in the JSON only.
        decoder.ApplyStatePacket(form.get(), positional.at(1), full, QString(), QString(), QString(), nullptr);
    } catch (const kvt::KvtError& e) {
        error = e.message();
    }
    io.out << kvt::DecodeReportJson(decoder, error) << '\n';
    return error ? 1 : 0;
}

} // namespace

KVT_TOOL_COMMAND("decode", "FORM.kof PACKET_HEX [--full]",
                 "apply a state packet to an object form and print the controls and summaries as JSON",
                 RunDecode)
