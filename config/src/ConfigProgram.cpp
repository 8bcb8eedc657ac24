#include "ConfigProgram.h"

#include <QApplication>
#include <QMessageBox>

#include "ConfigFile.h"
#include "JoystickPoller.h"
#include "MainDialog.h"
#include "SingleInstance.h"

namespace config {
namespace {

std::filesystem::path ProgramFolder()
{
    std::error_code error;
    const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::current_path() : executable.parent_path();
}

} // namespace

std::filesystem::path SettingsFilePath()
{
    return ProgramFolder() / "SaveData" / "Config.cfg";
}

std::filesystem::path LockFilePath()
{
    return ProgramFolder() / "VelmoraConfig.lock";
}

void LoadSettings(const std::filesystem::path& file, ConfigState& state)
{
    if (LoadConfig(file, state))
        return;
    state.xPos = kNoPosition;
    state.yPos = kNoPosition;
    SetDefaultConfig(state);
}

bool SaveConfirmedSettings(int dialogResult, const ConfigState& state, const std::filesystem::path& file,
                           QWidget* parent)
{
    if (dialogResult != MainDialog::kOkResult)
        return true;
    const SaveResult result = SaveConfig(file, state);
    if (!result.ok)
        QMessageBox::warning(parent, QStringLiteral("ヴェルモラ設定"),
                             QStringLiteral("設定ファイルを保存できませんでした。\n") +
                                 QString::fromStdString(result.error));
    return result.ok;
}

int RunConfigProgram(int argc, char** argv)
{
    InstanceLock lock;
    if (!lock.Acquire(LockFilePath()))
        return -1;
    QApplication application(argc, argv);
    ConfigState state;
    const auto file = SettingsFilePath();
    LoadSettings(file, state);
    JoystickPoller joystick;
    MainDialog dialog(state, joystick);
    const int result = dialog.exec();
    SaveConfirmedSettings(result, state, file, nullptr);
    return 0;
}

} // namespace config
