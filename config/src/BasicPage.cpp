#include "BasicPage.h"

#include <QCheckBox>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

#include "ConfigState.h"

namespace config {

BasicPage::BasicPage(ConfigState& state, QWidget* parent) : QWidget(parent), state_(state)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    // Each device box flips its own flag; when both end up off, the other
    // device comes back on, so one input device always stays.
    keyboard_ = AddCheckBox(" キーボードを使用する", state_.keyboard);
    joystick_ = AddCheckBox(" ジョイスティックを使用する", state_.joystick);
    connect(keyboard_, &QCheckBox::clicked, this, [this] {
        if (state_.keyboard == 0 && state_.joystick == 0)
            state_.joystick = 1;
        ShowSettings();
    });
    connect(joystick_, &QCheckBox::clicked, this, [this] {
        if (state_.keyboard == 0 && state_.joystick == 0)
            state_.keyboard = 1;
        ShowSettings();
    });
    layout->addSpacing(8);
    apBgm_ = AddCheckBox(" 非アクティブ時にBGMを演奏する", state_.apBgm);
    apSound_ = AddCheckBox(" 非アクティブ時にSEを演奏する", state_.apSound);
    layout->addSpacing(8);
    window_ = AddCheckBox(" ウィンドウモードで起動する", state_.window);
    showWarn_ = AddCheckBox(" 警告を表示する", state_.showWarn);
    layout->addSpacing(16);
    bgmVol_ = AddVolume("BGM音量", state_.bgmVol);
    soundVol_ = AddVolume("Sound音量", state_.soundVol);
    layout->addStretch(1);
}

QCheckBox* BasicPage::AddCheckBox(const char* text, std::uint8_t& flag)
{
    auto* box = new QCheckBox(QString::fromUtf8(text), this);
    layout()->addWidget(box);
    connect(box, &QCheckBox::clicked, this, [&flag] { flag = flag != 0 ? 0 : 1; });
    return box;
}

QSlider* BasicPage::AddVolume(const char* label, std::int32_t& volume)
{
    layout()->addWidget(new QLabel(QString::fromUtf8(label), this));
    auto* slider = new QSlider(Qt::Horizontal, this);
    slider->setRange(0, kVolumeMax);
    slider->setSingleStep(1);
    slider->setPageStep(1);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(1);
    layout()->addWidget(slider);
    connect(slider, &QSlider::valueChanged, this, [&volume](int value) { volume = value; });
    return slider;
}

void BasicPage::ShowSettings()
{
    keyboard_->setChecked(state_.keyboard != 0);
    joystick_->setChecked(state_.joystick != 0);
    apBgm_->setChecked(state_.apBgm != 0);
    apSound_->setChecked(state_.apSound != 0);
    window_->setChecked(state_.window != 0);
    showWarn_->setChecked(state_.showWarn != 0);
    bgmVol_->setValue(state_.bgmVol);
    soundVol_->setValue(state_.soundVol);
}

QWidget* BasicPage::FirstControl() const
{
    return keyboard_;
}

} // namespace config
