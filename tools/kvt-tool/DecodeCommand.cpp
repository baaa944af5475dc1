#include "Command.h"

#include "common/Errors.h"
#include "common/MainTimers.h"
#include "objects/ObjectForm.h"
#include "packets/ApplyStatePacket.h"
#include "packets/DecodeReport.h"

#include <memory>
#include <optional>

namespace {

// No window runs here: the blink timer is only remembered.
class ToolTimers : public kvt::MainTimers {
public:
    void start(kvt::MainTimer timer) override { active_[int(timer)] = true; }
    void stop(kvt::MainTimer timer) override { active_[int(timer)] = false; }
    bool isActive(kvt::MainTimer timer) const override { return active_[int(timer)]; }

private:
    bool active_[int(kvt::MainTimer::Timer_mig) + 1] = {};
};

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
    ToolTimers timers;
    kvt::StatePacketDecoder decoder(timers);
    std::optional<QString> error;
    try {
        decoder.ApplyStatePacket(form.get(), positional.at(1), full, QString(), QString(), QString());
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
