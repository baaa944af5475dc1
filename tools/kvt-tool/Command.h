#pragma once

#include <QStringList>
#include <QTextStream>

#include <functional>
#include <vector>

// A subcommand of kvt-tool. Each subsystem registers its own with KVT_TOOL_COMMAND in a file of
// this folder, so adding a command never touches the others.
namespace kvt::tool {

struct Streams {
    QTextStream& out;
    QTextStream& err;
};

struct Command {
    QString name;      // first word on the command line
    QString usage;     // argument synopsis shown by --help
    QString summary;   // one line
    std::function<int(const QStringList& args, Streams& io)> run;  // args after the name
};

std::vector<Command>& Commands();

struct CommandRegistrar {
    explicit CommandRegistrar(Command command) { Commands().push_back(std::move(command)); }
};

} // namespace kvt::tool

#define KVT_TOOL_CONCAT2(a, b) a##b
#define KVT_TOOL_CONCAT(a, b) KVT_TOOL_CONCAT2(a, b)
#define KVT_TOOL_COMMAND(...) \
    static const ::kvt::tool::CommandRegistrar KVT_TOOL_CONCAT(kvtToolCommand_, __LINE__)(::kvt::tool::Command{__VA_ARGS__});
