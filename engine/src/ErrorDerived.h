// The one channel for failures and warnings: the first failure of a run goes
// to "Error.log" and raises the host's error flag; its message is shown in a
// message box when the host asks. Warnings go straight to a message box when
// the host's settings allow them.
#pragma once

#include <cstdarg>
#include <cstdint>
#include <string>

#include "Zeph.h"

class CErrorDerived final : public Zeph::CError {
public:
    CErrorDerived();
    ~CErrorDerived();

    void SetFlags(std::uint8_t* errorFlag, std::uint8_t* showWarnings) override;
    void Error(const char* file, int line, int code, const char* format, ...) override;
    std::uint8_t IsError() override;
    void ShowError() override;
    void Warning(int code, const char* format, ...) override;
    void Release() override;

    static constexpr int kErrorCodeCount = 21;
    static constexpr int kWarningCodeCount = 5;
    static const char* ErrorText(int code);
    static const char* WarningText(int code);
    static constexpr std::size_t kFormatBufferSize = 256;

private:
    void RaiseFlag();

    std::string keptMessage_;
    std::uint8_t* showWarnings_;
};
