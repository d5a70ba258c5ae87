#include "shell/ToolScreen.h"

#include "ui/Gdi.h"

void CToolScreen::Paint(HDC dc, const RECT &client) { FillSolid(dc, client, kScreenColor); }
