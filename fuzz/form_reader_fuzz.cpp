// Object form files come from outside (any .kof a user points the console at). Every input must
// be refused with a FormatError or accepted; an accepted one must write back to the same bytes,
// survive the text form unchanged and model without any other failure.
#include "common/Errors.h"
#include "forms/ComponentStream.h"
#include "forms/FormText.h"
#include "forms/ObjectForm.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    kvt::ComponentStream stream;
    try {
        stream = kvt::ReadComponentStream(bytes);
    } catch (const kvt::FormatError&) {
        return 0;
    }
    if (kvt::WriteComponentStream(stream) != bytes)
        std::abort();
    if (kvt::WriteComponentStream(kvt::FormFromText(kvt::FormToText(stream))) != bytes)
        std::abort();
    try {
        kvt::ObjectForm form(std::move(stream));
        for (const kvt::FormControl* control : form.controls())
            (void)control->text();
    } catch (const kvt::FormatError&) {
    }
    return 0;
}
