#include "core/MemberNames.h"

const char16_t* const MemberNameTable[MEMBER_NAME_COUNT] = {u"ピプコ", u"ピプオ", u"ピプメ"};
