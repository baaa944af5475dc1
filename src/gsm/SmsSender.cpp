#include "gsm/SmsSender.h"

#include "common/Hex.h"
#include "gsm/AtExchange.h"
#include "gsm/ModemInterface.h"
#include "gsm/ModemReplies.h"
#include "gsm/PduConv.h"

namespace kvt::gsm {

namespace {
constexpr SmsSender::Profile kData{550, 70, false};
constexpr SmsSender::Profile kText{350, 100, true};
constexpr int kSettleMs = 250;
constexpr int kConfirmationReadMs = 200;
constexpr int kConfirmationReadCount = 20;
constexpr int kResetWaitMs = 200;
constexpr int kResetReadCount = 20;
} // namespace

bool SmsSender::SendDataSms(const QString& dataHex, const QString& phone)
{
    return SendSmsPdu(EncodeDataSubmitPdu(dataHex, phone), kData);
}

bool SmsSender::SendOctetTextSms(const QString& text, const QString& phone)
{
    return SendSmsPdu(EncodeDataSubmitPdu(BytesToHex(QStringView(text).left(kOctetTextLimit)), phone), kText);
}

bool SmsSender::SendTextSms(const QString& text, const QString& phone)
{
    return SendSmsPdu(EncodeSubmitPdu(QStringView(text).left(kTextLimit), phone), kText);
}

bool SmsSender::SendSmsPdu(const QString& pdu, const Profile& profile)
{
    bool accepted = false;
    exchange_.dialogue(restart::kSenders, [&] {
        // The TPDU length in octets, without the service-centre length octet.
        const int tpduLength = static_cast<int>(pdu.size() / 2) - 1;
        exchange_.purge();
        exchange_.wait(kSettleMs);
        exchange_.write(modem::SendMessageCommand(tpduLength));
        exchange_.wait(profile.promptWaitMs);
        exchange_.write(pdu + modem::kCtrlZ);
        // A refusal (+CMS ERROR) ends the reading at once: no confirmation follows it.
        const QString reply = exchange_.readUntil(
            {profile.reads, kConfirmationReadMs, kConfirmationReadCount}, [](QStringView text) {
                return modem::MessageAccepted(text) || modem::LastFinalResult(text) == modem::FinalResult::Error;
            });
        accepted = modem::MessageAccepted(reply);
        if (profile.extraRead)
            exchange_.readLines(kConfirmationReadCount);
    });
    return accepted;
}

void SmsSender::ResetAfterFailedSms()
{
    exchange_.dialogue(restart::kSenders, [&] {
        exchange_.write(modem::kAttention);
        exchange_.wait(kResetWaitMs);
        exchange_.readLines(kResetReadCount);
    });
}

} // namespace kvt::gsm
