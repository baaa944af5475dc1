// kvt-tool ini-set: writes one key of an INI file of an instance (Settings.ini, ZigBee.ini,
// RS485.ini) as the console writes it, keeping the rest of the file as it is.
#include "Command.h"

#include "common/ErrorHandler.h"
#include "common/IniFile.h"

namespace {

int setKey(const QStringList& args, kvt::tool::Streams& io)
{
    if (args.size() != 4) {
        io.err << "usage: kvt-tool ini-set FILE SECTION KEY VALUE\n";
        return 2;
    }
    try {
        kvt::IniFile(args[0]).writeString(args[1], args[2], args[3]);
    } catch (...) {
        io.err << kvt::GlobalErrorHandler::textOf(std::current_exception()) << "\n";
        return 1;
    }
    return 0;
}

} // namespace

KVT_TOOL_COMMAND(QStringLiteral("ini-set"), QStringLiteral("FILE SECTION KEY VALUE"),
                 QStringLiteral("writes one key of an INI file of an instance (e.g. GSM_Svyaz Port of Settings.ini)"),
                 setKey)
