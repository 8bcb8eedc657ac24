// The values the settings' choice windows offer, as texts, and the value
// each one stores now, read from where it is kept.
#pragma once

struct SettingChoices {
    int window;
    const char16_t* const* texts;
    int count;
    int length; // the length each text is drawn with
};

// The choice window of a mode 23-37 (none for 34): null outside them.
const SettingChoices* SettingChoicesOf(int mode);
// The stored value of a mode 23-37 as its window's row, kept within the rows.
int StoredSettingValue(int mode);
// The choice mode a settings row opens (rows 2-16), -1 for the others.
int SettingRowMode(int row);
