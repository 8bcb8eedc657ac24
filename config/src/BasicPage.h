// The basic settings page: input devices, background play, window mode,
// warnings and the two volumes.
#pragma once

#include <QWidget>
#include <cstdint>

class QCheckBox;
class QSlider;

namespace config {

struct ConfigState;

class BasicPage final : public QWidget {
    Q_OBJECT
public:
    BasicPage(ConfigState& state, QWidget* parent);
    void ShowSettings();
    QWidget* FirstControl() const;

private:
    QCheckBox* AddCheckBox(const char* text, std::uint8_t& flag);
    QSlider* AddVolume(const char* label, std::int32_t& volume);

    ConfigState& state_;
    QCheckBox* keyboard_;
    QCheckBox* joystick_;
    QCheckBox* apBgm_;
    QCheckBox* apSound_;
    QCheckBox* window_;
    QCheckBox* showWarn_;
    QSlider* bgmVol_;
    QSlider* soundVol_;
};

} // namespace config
