#include "ErrorDerived.h"

#include <cstdio>
#include <filesystem>
#include <new>

#include "EngineState.h"
#include "PackDamage.h"
#include "platform/MessageBox.h"
#include "platform/Paths.h"

namespace {

// Library-wide: the host's error flag, null until SetFlags.
std::uint8_t* errorFlag = nullptr;
// Where the show-warnings pointer points before SetFlags: no warnings.
std::uint8_t noWarnings = 0;

constexpr const char* kErrorTexts[CErrorDerived::kErrorCodeCount] = {
    "エラー",
    "メモリ確保に失敗しました",
    "初期化に失敗しました",
    "Graphicの初期化に失敗しました",
    "Textの初期化に失敗しました",
    "DirectInputの初期化に失敗しました",
    "OggVorbis(DirectSound)の初期化に失敗しました",
    "DirectMusicの初期化に失敗しました",
    "DirectSoundの初期化に失敗しました",
    "ロードに失敗しました",
    "テクスチャのロードに失敗しました",
    "OggVorbisのロードに失敗しました",
    "Waveのロードに失敗しました",
    "ファイル読み込み時のエラー",
    "ファイル書き込み時のエラー",
    "内部ドライバエラー",
    "デバイスのリセットに失敗しました",
    "ウィンドウモードの切り替えに失敗しました",
    "フォントチェックに失敗しました",
    "リソースの作成に失敗しました",
    "Midiの初期化に失敗しました",
};

constexpr const char* kWarningTexts[CErrorDerived::kWarningCodeCount] = {
    "警告",
    "タイマー作成に失敗しました",
    "タイマー削除に失敗しました",
    "音量設定に失敗しました",
    "頂点バッファ作成に失敗しました",
};

constexpr const char* kErrorCaption = "エラー";
constexpr const char* kWarningCaption = "警告";

std::filesystem::path LogPath()
{
    return plat::ResolvePath("Error.log");
}

// Formats into the 256-character buffer; a text that does not fit is cut at
// 255 characters. False only when the format itself cannot be applied.
bool FormatMessage(std::string& out, const char* format, std::va_list args)
{
    char buffer[CErrorDerived::kFormatBufferSize];
    int written = std::vsnprintf(buffer, sizeof buffer, format, args);
    if (written < 0)
        return false;
    out = buffer;
    return true;
}

} // namespace

const char* CErrorDerived::ErrorText(int code)
{
    // A code outside the table stands for the generic error.
    return kErrorTexts[(code >= 0 && code < kErrorCodeCount) ? code : 0];
}

const char* CErrorDerived::WarningText(int code)
{
    return kWarningTexts[(code >= 0 && code < kWarningCodeCount) ? code : 0];
}

CErrorDerived::CErrorDerived() : keptMessage_(kErrorTexts[0]), showWarnings_(&noWarnings)
{
    // Every run starts without a log.
    std::error_code ignored;
    std::filesystem::remove(LogPath(), ignored);
}

CErrorDerived::~CErrorDerived()
{
    // The flag belongs to the host; forget it with the object that was given it.
    errorFlag = nullptr;
}

void CErrorDerived::SetFlags(std::uint8_t* flag, std::uint8_t* showWarnings)
{
    errorFlag = flag;
    showWarnings_ = showWarnings != nullptr ? showWarnings : &noWarnings;
}

void CErrorDerived::RaiseFlag()
{
    if (errorFlag != nullptr)
        *errorFlag = 1;
}

void CErrorDerived::Error(const char* file, int line, int code, const char* format, ...)
{
    // Only the first failure of a run is logged.
    if (errorFlag != nullptr && *errorFlag != 0)
        return;

    std::string message;
    if (format != nullptr) {
        std::va_list args;
        va_start(args, format);
        bool formatted = FormatMessage(message, format, args);
        va_end(args);
        if (!formatted) {
            // Nothing usable to report: leave the place of the failure only,
            // and let a later failure rewrite the log.
            if (std::FILE* log = std::fopen(LogPath().c_str(), "wb")) {
                std::fprintf(log, "File : %s\r\nLine : %d\r\n", file != nullptr ? file : "", line);
                std::fclose(log);
            }
            return;
        }
    } else {
        message = ErrorText(code);
    }
    // The box shows what the log says, even when the log cannot be written.
    keptMessage_ = message;

    std::FILE* log = std::fopen(LogPath().c_str(), "wb");
    if (log != nullptr) {
        std::fprintf(log, "File : %s\r\nLine : %d\r\n%s\r\n", file != nullptr ? file : "", line, message.c_str());
        // The rewritten log keeps the lines naming damaged data, which tell
        // where the short message comes from.
        for (const std::string& damage : engine::DamageNotes())
            std::fputs(engine::DamageLogLine(damage).c_str(), log);
        std::fclose(log);
    }
    RaiseFlag();
}

std::uint8_t CErrorDerived::IsError()
{
    return errorFlag != nullptr ? *errorFlag : 0;
}

void CErrorDerived::ShowError()
{
    if (errorFlag == nullptr || *errorFlag == 0)
        return;
    plat::ShowMessageBox(engine::State().window, {keptMessage_, kErrorCaption, plat::MessageKind::Error, true});
}

void CErrorDerived::Warning(int code, const char* format, ...)
{
    if (engine::State().window == nullptr || *showWarnings_ == 0)
        return;
    std::string text;
    if (format != nullptr) {
        std::va_list args;
        va_start(args, format);
        bool formatted = FormatMessage(text, format, args);
        va_end(args);
        if (!formatted)
            return;
    } else {
        text = WarningText(code);
    }
    plat::ShowMessageBox(engine::State().window, {text, kWarningCaption, plat::MessageKind::Information, true});
}

void CErrorDerived::Release()
{
    delete this;
}

Zeph::CError* CreateError()
{
    return new (std::nothrow) CErrorDerived();
}
