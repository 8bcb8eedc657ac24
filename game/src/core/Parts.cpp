#include "core/Parts.h"

// All null until the game object builds its parts.
CGameMain* TheGameMain = nullptr;
unsigned char* MapBlobBuffer = nullptr;
std::int32_t MapBlobSize = 0;

CCharacter* TheCharacter = nullptr;
CBattleBackground* TheBattleBackground = nullptr;
CCharaShot* TheCharaShot = nullptr;
CDrawBattleSortObject* TheDrawBattleSortObject = nullptr;
CMagicCircle* TheMagicCircle = nullptr;
CEnemyGroup* TheEnemyGroup = nullptr;
CBattleTouch* TheBattleTouch = nullptr;
CEnemyShotList* TheEnemyShotList = nullptr;
CBattleEffect* TheBattleEffect = nullptr;
CMap* TheMap = nullptr;
CDrawSortObject* TheDrawSortObject = nullptr;
CMapCharacter* TheMapCharacter = nullptr;
CObject* TheObject = nullptr;
CEvent* TheEvent = nullptr;
CFixedWindowSet* TheFixedWindowSet = nullptr;
CMapMenu* TheMapMenu = nullptr;
CScreenEffect* TheScreenEffect = nullptr;
CShader* TheShader = nullptr;
CMapNameEffect* TheMapNameEffect = nullptr;
CSaveFile* TheSaveFile = nullptr;
CGameOverEffect* TheGameOverEffect = nullptr;
CBattleMenu* TheBattleMenu = nullptr;
CBattleEnd* TheBattleEnd = nullptr;
CEncountEffect* TheEncountEffect = nullptr;
CTitle* TheTitle = nullptr;
