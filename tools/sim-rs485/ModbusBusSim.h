#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>
#include <optional>

struct _modbus;
struct _modbus_mapping_t;

namespace kvt::sim {

// One slave on the bus: an object's controller.
struct ModbusSlave {
    int address = 0;
    QList<QByteArray> packets; // the reports it offers, in turn
    int nextPacket = 0;
    bool reachable = true;
    int crcErrors = 0;         // the next replies carry a wrong CRC
    int exceptions = 0;        // the next requests are refused ...
    int exceptionCode = 0;     // ... with this exception code
};

// The objects' controllers on the RS-485 bus as Modbus RTU slaves, built on libmodbus: each
// request from the console is cut from the byte stream, handed to a libmodbus context playing
// the addressed slave (which checks its CRC and builds the reply from the slave's registers),
// and the reply goes back to the console.
//
// Register map: input registers 0-69 hold the slave's next report (140 bytes, high byte first;
// shorter packets are padded with zeros), holding registers from 0x0100 take a command frame
// and from 0x0200 a settings frame (byte count, then the bytes).
class ModbusBusSim : public QObject {
    Q_OBJECT
public:
    struct Settings {
        int replyDelayMs = 5;
    };

    explicit ModbusBusSim(Settings settings);
    ~ModbusBusSim() override;

    // Empty when the libmodbus context could not be made, else an error text.
    QString open();

    // Bytes written by the console.
    void receive(const QByteArray& bytes);

    ModbusSlave& addSlave(int address);
    ModbusSlave* slave(int address);
    QString statusText() const;

signals:
    void output(const QByteArray& bytes);
    void event(const QString& line);

private:
    std::optional<int> requestLength() const;
    void handleRequest(const QByteArray& request);
    QByteArray answer(ModbusSlave& target, const QByteArray& request);
    void loadReport(ModbusSlave& target);
    void recordFrame(const ModbusSlave& target, const QByteArray& request);
    QByteArray drainReply();

    Settings settings_;
    _modbus* context_ = nullptr;
    _modbus_mapping_t* mapping_ = nullptr;
    int pipe_[2] = {-1, -1}; // [0] the context's end, [1] ours
    QMap<int, ModbusSlave> slaves_;
    QByteArray input_;
    QTimer silence_;
};

} // namespace kvt::sim
