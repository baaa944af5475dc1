#pragma once

#include <QObject>
#include <QString>

namespace kvt::sim {

class ModbusBusSim;

// The RS-485 simulator's script language, one command per line (stdin or the control FIFO).
// ADR is a slave address, 1 to 247.
//
//   slave ADR [PACKETS_FILE]     a slave (reachable); its reports from the file
//   packet ADR HEX               adds a report to the slave's list
//   unreachable ADR              the slave does not answer
//   reachable ADR                ... and answers again
//   crc-error ADR [N]            the next N replies of the slave carry a wrong CRC (1 unless given)
//   exception ADR [CODE] [N]     the next N requests to the slave are refused with the exception
//                                CODE (4, slave device failure, unless given)
//   status                       prints the state
//   quit
//
// Every command is acknowledged on stdout with "OK <command>" or "ERROR <reason>".
class Rs485Control : public QObject {
    Q_OBJECT
public:
    explicit Rs485Control(ModbusBusSim& bus, QObject* parent = nullptr);

    QString run(const QString& line);

signals:
    void note(const QString& text);
    void quitRequested();

private:
    ModbusBusSim& bus_;
};

} // namespace kvt::sim
