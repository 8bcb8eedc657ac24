// Writing event scripts and map event areas by code: one call per opcode,
// labels by name, texts terminated and padded, the counts of battles, shops
// and choices derived from their rows, records with their head and size,
// and the point list after the records.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "field/event/EventCommandTable.h"

namespace eventscript {

using Bytes = std::vector<std::uint8_t>;

class Script {
public:
    // A label number for a name; the same name gives the same number.
    int L(const std::string& name);

    // Any command: the opcode and the words as given, no text.
    Script& Raw(std::int32_t opcode, const std::vector<std::int32_t>& words = {});
    // Any command with a text after its words (terminated and padded).
    Script& RawText(std::int32_t opcode, const std::vector<std::int32_t>& words, const std::u16string& text);

    Script& Message(const std::u16string& text);
    Script& MessageColour(std::uint32_t colour, const std::u16string& text);
    Script& End();
    Script& ChangeMap(int map, int x, int y, int facingPlusOne);
    Script& GetItem(int category, int id, int onceFlag = 0);
    // Result 2 jumps to `label2` and result 3 to `label3` (-1: the next command).
    // `flags`: the battle's flag word (bit 1 limits the battle items, bit 2
    // makes it a boss battle).
    Script& Battle(int tune, int label2, int flags, int label3, int formation, const std::vector<int>& enemies);
    Script& SetFlag(int value, int flag);
    Script& IfJump(int sense, int kind, int operand, int label);
    Script& Label(int label);
    Script& DisableEvent();
    Script& DamageParty(int amount);
    Script& SetPicture(int picture);
    Script& NextMap(int flag);
    Script& ChangeBgm(int tune, int frames);
    Script& PlaySe(int id);
    struct Goods {
        int category, id, price;
    };
    Script& Shop(const std::vector<Goods>& rows);
    Script& Wait(int frames);
    // Rows 1 to n - 1 jump to their labels; the rows' texts, one a line.
    Script& Choice(const std::vector<int>& labels, const std::u16string& rows);
    Script& Goto(int label);
    Script& RecoverParty(int kind, int amount);
    Script& SetListFlag(int index);
    Script& FadePlayer(int mode);
    Script& LoseItem(int category, int id);
    Script& Stairs();
    Script& SetTransfer(int on);
    Script& SwitchOn(int flag);
    Script& SpawnSymbol(int x, int y, int kind, int speedTenths, int behaviour);
    Script& LaunchObject(int speed);
    Script& LaunchObjectIf(int speed, int flag);
    Script& Warp(int map, int x, int y);
    // Bits 0-2 of `word3` the facing plus one, 3 and 4 the circle out and
    // in, 5 keep the music.
    Script& ScreenEffect(int map, int x, int y, int word3);
    Script& WarpFlag(int map, int x, int y, int flag);
    Script& ToggleSwitch(int flag);
    Script& AddItems(int category, int id, int count);
    Script& EndIf(int sense, int kind, int operand);
    Script& Nop();
    Script& SetGameWord(int value);
    Script& CallEvent(int x, int y, int occurrence);
    Script& SetFlagIf(int sense, int kind, int operand, int flag);
    Script& FixView(int on);
    Script& RemoveItem(int category, int id);

    const Bytes& Code() const { return code_; }

private:
    void Word(std::int32_t value);
    void Text(const std::u16string& text, std::size_t commandStart);

    Bytes code_;
    std::map<std::string, int> labels_;
};

struct Record {
    int x = 0;
    int y = 0;
    int conditionFlag = 0;
    int doneFlag = 0;
    int kind = 0;
    int picture = 0;
    int trigger = 0;
    bool passThrough = false;
    Bytes script;
};

struct Point {
    std::int16_t x, y;
};

// One record: the 24-byte head and the script, padded to a multiple of 4.
Bytes RecordBytes(const Record& record);
// The event area: the records, then the point count and the points.
Bytes EventArea(const std::vector<Record>& records, const std::vector<Point>& points = {});

// One command a line ("0006 ij 1 100"), for failure messages; a command
// that does not fit is shown as such and ends the listing.
std::string Disassemble(const std::uint8_t* script, std::size_t bytes);
std::string Disassemble(const Bytes& script);

} // namespace eventscript
