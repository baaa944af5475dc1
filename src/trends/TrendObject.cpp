#include "trends/TrendObject.h"

#include "common/Errors.h"
#include "common/ProgramDirectory.h"
#include "forms/FormWiring.h"
#include "store/DataAlias.h"
#include "store/ObjectRecord.h"
#include "store/StoreReader.h"
#include "trends/TrendDecoder.h"

namespace kvt {

TrendObject TrendObjectOf(const registry::ObjectRecord& record, const QString& storeFile,
                          const QString& programDirectory)
{
    const std::optional<QString> formPath = ResolveObjectFormPath(record.Adres_O, programDirectory);
    if (!formPath)
        throw IoError(kFormFileNotFoundMessage);
    return TrendObject{storeFile, record.Kod_O, record.Name_O, *formPath};
}

QString StoreFileOf(const QString& programDirectory)
{
    return InProgramDirectory(programDirectory, registry::kDataFolder + QLatin1Char('/') + registry::kStoreFileName);
}

TrendCatalog ReadTrendCatalog(const TrendObject& object)
{
    const registry::StoreReader reader(object.storeFile);
    const std::unique_ptr<TrendDecoder> decoder = TrendDecoder::FromFile(object.formPath);
    return TrendCatalog{decoder->candidates(), OfferedTrendControls(reader, *decoder, object.code)};
}

TrendTable RunTrend(const TrendRequest& request, const std::atomic<bool>& cancel, const TrendProgress& progress)
{
    const registry::StoreReader reader(request.object.storeFile);
    const std::unique_ptr<TrendDecoder> decoder = TrendDecoder::FromFile(request.object.formPath);
    return ExtractTrend(reader, *decoder, request.object.code, request.chosen, request.range, cancel, progress);
}

} // namespace kvt
