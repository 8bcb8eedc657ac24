// The scene parts as every part reaches them: one shared pointer per part,
// set once by the game object at start-up. A part includes the header of
// another part only for what it calls; this file needs none of them.
#pragma once

#include <cstdint>

class CGameMain;
class CCharacter;
class CBattleBackground;
class CCharaShot;
class CDrawBattleSortObject;
class CMagicCircle;
class CEnemyGroup;
class CBattleTouch;
class CEnemyShotList;
class CBattleEffect;
class CMap;
class CDrawSortObject;
class CMapCharacter;
class CObject;
class CEvent;
class CFixedWindowSet;
class CMapMenu;
class CScreenEffect;
class CShader;
class CMapNameEffect;
class CSaveFile;
class CGameOverEffect;
class CBattleMenu;
class CBattleEnd;
class CEncountEffect;
class CTitle;

extern CGameMain* TheGameMain;

extern CCharacter* TheCharacter;
extern CBattleBackground* TheBattleBackground;
extern CCharaShot* TheCharaShot;
extern CDrawBattleSortObject* TheDrawBattleSortObject;
extern CMagicCircle* TheMagicCircle;
extern CEnemyGroup* TheEnemyGroup;
extern CBattleTouch* TheBattleTouch;
extern CEnemyShotList* TheEnemyShotList;
extern CBattleEffect* TheBattleEffect;
extern CMap* TheMap;
extern CDrawSortObject* TheDrawSortObject;
extern CMapCharacter* TheMapCharacter;
extern CObject* TheObject;
extern CEvent* TheEvent;
extern CFixedWindowSet* TheFixedWindowSet;
extern CMapMenu* TheMapMenu;
extern CScreenEffect* TheScreenEffect;
extern CShader* TheShader;
extern CMapNameEffect* TheMapNameEffect;
extern CSaveFile* TheSaveFile;
extern CGameOverEffect* TheGameOverEffect;
extern CBattleMenu* TheBattleMenu;
extern CBattleEnd* TheBattleEnd;
extern CEncountEffect* TheEncountEffect;
extern CTitle* TheTitle;

// The map blob of the current map, owned by the game object.
extern unsigned char* MapBlobBuffer;
extern std::int32_t MapBlobSize;
