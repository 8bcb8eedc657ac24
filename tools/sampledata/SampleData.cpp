#include "SampleData.h"

#include "PackWriter.h"
#include <fstream>

namespace sampledata {

bool WriteSampleData(const std::filesystem::path& runFolder)
{
    std::error_code error;
    std::filesystem::create_directories(runFolder / "Data", error);
    std::filesystem::create_directories(runFolder / "Midi", error);
    if (!packwriter::WritePack(runFolder / "Data" / "Pack.dat", BuildPackEntries()))
        return false;
    for (int tune = 0; tune < kTuneCount; ++tune) {
        const Bytes file = TuneFile(tune);
        std::ofstream out(runFolder / "Midi" / TuneFileName(tune), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
        out.close();
        if (!out)
            return false;
    }
    return true;
}

} // namespace sampledata
