#pragma once

#include <QObject>
#include <QString>

namespace kvt::sim {

class RadioModemSim;

// The radio simulator's script language, one command per line (stdin or the control FIFO).
// ADDRESS is DH:DL in hexadecimal (0013A200:40A1B2C3) or sixteen hex digits.
//
//   object ADDRESS [PACKETS_FILE]   a remote object (reachable); its reports from the file
//   packet ADDRESS HEX              adds a report to the object's list
//   send ADDRESS [HEX]              the object sends a report now (its next one, or HEX exactly)
//   part ADDRESS N COUNT HEX        the object sends one report part as given
//   raw HEX                         bytes straight to the console
//   unreachable ADDRESS             transmits to the object fail (status 0x21)
//   reachable ADDRESS               ... and succeed again
//   silent                          the local modem answers nothing and transmits nothing
//   back                            the local modem works again
//   swallow [N]                     the next N transmit requests vanish without a status
//   status                          prints the state
//   quit
//
// Every command is acknowledged on stdout with "OK <command>" or "ERROR <reason>".
class RadioControl : public QObject {
    Q_OBJECT
public:
    explicit RadioControl(RadioModemSim& modem, QObject* parent = nullptr);

    QString run(const QString& line);

signals:
    void note(const QString& text);
    void quitRequested();

private:
    RadioModemSim& modem_;
};

} // namespace kvt::sim
