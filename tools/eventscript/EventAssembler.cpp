#include "EventAssembler.h"

namespace eventscript {
namespace {

void Put32(Bytes& b, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

} // namespace

int Script::L(const std::string& name)
{
    const auto found = labels_.find(name);
    if (found != labels_.end())
        return found->second;
    const int number = 1000 + static_cast<int>(labels_.size());
    labels_.emplace(name, number);
    return number;
}

void Script::Word(std::int32_t value)
{
    Put32(code_, static_cast<std::uint32_t>(value));
}

void Script::Text(const std::u16string& text, std::size_t commandStart)
{
    for (char16_t c : text) {
        code_.push_back(static_cast<std::uint8_t>(c));
        code_.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    code_.push_back(0);
    code_.push_back(0);
    // Every command is a whole number of 4-byte words long.
    if ((code_.size() - commandStart) % 4 != 0) {
        code_.push_back(0);
        code_.push_back(0);
    }
}

Script& Script::Raw(std::int32_t opcode, const std::vector<std::int32_t>& words)
{
    Word(opcode);
    for (std::int32_t w : words)
        Word(w);
    return *this;
}

Script& Script::RawText(std::int32_t opcode, const std::vector<std::int32_t>& words, const std::u16string& text)
{
    const std::size_t start = code_.size();
    Raw(opcode, words);
    Text(text, start);
    return *this;
}

Script& Script::Message(const std::u16string& text)
{
    return RawText(OP_MESSAGE, {}, text);
}
Script& Script::MessageColour(std::uint32_t colour, const std::u16string& text)
{
    return RawText(OP_MESSAGE_ARG, {static_cast<std::int32_t>(colour)}, text);
}
Script& Script::End()
{
    return Raw(OP_END);
}
Script& Script::ChangeMap(int map, int x, int y, int facingPlusOne)
{
    return Raw(OP_CHANGE_MAP, {map, x, y, facingPlusOne});
}
Script& Script::GetItem(int category, int id, int onceFlag)
{
    return Raw(OP_GET_ITEM, {category, id, onceFlag});
}
Script& Script::Battle(int tune, int label2, int flags, int label3, int formation, const std::vector<int>& enemies)
{
    std::vector<std::int32_t> words = {
        static_cast<std::int32_t>(enemies.size()), tune, label2, flags, label3, formation};
    words.insert(words.end(), enemies.begin(), enemies.end());
    return Raw(OP_BATTLE, words);
}
Script& Script::SetFlag(int value, int flag)
{
    return Raw(OP_SET_FLAG, {value, flag});
}
Script& Script::IfJump(int sense, int kind, int operand, int label)
{
    return Raw(OP_IF_JUMP, {sense, kind, operand, label});
}
Script& Script::Label(int label)
{
    return Raw(OP_LABEL, {label});
}
Script& Script::DisableEvent()
{
    return Raw(OP_DISABLE_EVENT);
}
Script& Script::DamageParty(int amount)
{
    return Raw(OP_DAMAGE_PARTY, {amount});
}
Script& Script::SetPicture(int picture)
{
    return Raw(OP_SET_PICTURE, {picture});
}
Script& Script::NextMap(int flag)
{
    return Raw(OP_NEXT_MAP, {flag});
}
Script& Script::ChangeBgm(int tune, int frames)
{
    return Raw(OP_CHANGE_BGM, {tune, frames});
}
Script& Script::PlaySe(int id)
{
    return Raw(OP_PLAY_SE, {id});
}
Script& Script::Shop(const std::vector<Goods>& rows)
{
    std::vector<std::int32_t> words = {static_cast<std::int32_t>(rows.size())};
    for (const Goods& g : rows)
        words.insert(words.end(), {g.category, g.id, g.price});
    return Raw(OP_SHOP, words);
}
Script& Script::Wait(int frames)
{
    return Raw(OP_WAIT, {frames});
}
Script& Script::Choice(const std::vector<int>& labels, const std::u16string& rows)
{
    std::vector<std::int32_t> words = {static_cast<std::int32_t>(labels.size() + 1)};
    words.insert(words.end(), labels.begin(), labels.end());
    return RawText(OP_CHOICE, words, rows);
}
Script& Script::Goto(int label)
{
    return Raw(OP_GOTO, {label});
}
Script& Script::RecoverParty(int kind, int amount)
{
    return Raw(OP_RECOVER_PARTY, {kind, amount});
}
Script& Script::SetListFlag(int index)
{
    return Raw(OP_SET_LIST_FLAG, {index});
}
Script& Script::FadePlayer(int mode)
{
    return Raw(OP_FADE_PLAYER, {mode});
}
Script& Script::LoseItem(int category, int id)
{
    return Raw(OP_LOSE_ITEM, {category, id});
}
Script& Script::Stairs()
{
    return Raw(OP_STAIRS);
}
Script& Script::SetTransfer(int on)
{
    return Raw(OP_SET_TRANSFER, {on});
}
Script& Script::SwitchOn(int flag)
{
    return Raw(OP_SWITCH_ON, {flag});
}
Script& Script::SpawnSymbol(int x, int y, int kind, int speedTenths, int behaviour)
{
    return Raw(OP_SPAWN_SYMBOL, {x, y, kind, speedTenths, behaviour});
}
Script& Script::LaunchObject(int speed)
{
    return Raw(OP_LAUNCH_OBJECT, {speed});
}
Script& Script::LaunchObjectIf(int speed, int flag)
{
    return Raw(OP_LAUNCH_OBJECT_IF, {speed, flag});
}
Script& Script::Warp(int map, int x, int y)
{
    return Raw(OP_WARP, {map, x, y});
}
Script& Script::ScreenEffect(int map, int x, int y, int word3)
{
    return Raw(OP_SCREEN_EFFECT, {map, x, y, word3});
}
Script& Script::WarpFlag(int map, int x, int y, int flag)
{
    return Raw(OP_WARP_FLAG, {map, x, y, flag});
}
Script& Script::ToggleSwitch(int flag)
{
    return Raw(OP_TOGGLE_SWITCH, {flag});
}
Script& Script::AddItems(int category, int id, int count)
{
    return Raw(OP_ADD_ITEMS, {category, id, count});
}
Script& Script::EndIf(int sense, int kind, int operand)
{
    return Raw(OP_END_IF, {sense, kind, operand});
}
Script& Script::Nop()
{
    return Raw(OP_NOP);
}
Script& Script::SetGameWord(int value)
{
    return Raw(OP_SET_GAME_WORD, {value});
}
Script& Script::CallEvent(int x, int y, int occurrence)
{
    return Raw(OP_CALL_EVENT, {x, y, occurrence});
}
Script& Script::SetFlagIf(int sense, int kind, int operand, int flag)
{
    return Raw(OP_SET_FLAG_IF, {sense, kind, operand, flag});
}
Script& Script::FixView(int on)
{
    return Raw(OP_FIX_VIEW, {on});
}
Script& Script::RemoveItem(int category, int id)
{
    return Raw(OP_REMOVE_ITEM, {category, id});
}

Bytes RecordBytes(const Record& record)
{
    Bytes b;
    const std::size_t size = (24 + record.script.size() + 3) / 4 * 4;
    Put32(b, static_cast<std::uint32_t>(record.x));
    Put32(b, static_cast<std::uint32_t>(record.y));
    Put32(b, static_cast<std::uint32_t>(size));
    Put32(b, static_cast<std::uint32_t>(record.conditionFlag));
    Put32(b, static_cast<std::uint32_t>(record.doneFlag));
    const std::uint32_t bits =
        (static_cast<std::uint32_t>(record.kind) & 0x7F) | (static_cast<std::uint32_t>(record.picture) & 0x7F) << 7 |
        (static_cast<std::uint32_t>(record.trigger) & 0xF) << 19 | (record.passThrough ? 1u : 0u) << 24;
    Put32(b, bits);
    b.insert(b.end(), record.script.begin(), record.script.end());
    b.resize(size, 0);
    return b;
}

Bytes EventArea(const std::vector<Record>& records, const std::vector<Point>& points)
{
    Bytes area;
    for (const Record& r : records) {
        const Bytes bytes = RecordBytes(r);
        area.insert(area.end(), bytes.begin(), bytes.end());
    }
    Put32(area, static_cast<std::uint32_t>(points.size()));
    for (const Point& p : points) {
        area.push_back(static_cast<std::uint8_t>(p.x));
        area.push_back(static_cast<std::uint8_t>(static_cast<std::uint16_t>(p.x) >> 8));
        area.push_back(static_cast<std::uint8_t>(p.y));
        area.push_back(static_cast<std::uint8_t>(static_cast<std::uint16_t>(p.y) >> 8));
    }
    return area;
}

} // namespace eventscript
