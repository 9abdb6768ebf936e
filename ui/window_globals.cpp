#include "ui/window_globals.h"

int g_windowLeft = 0;
int g_windowTop = 0;

widgets::MultiplierGridWindow* g_countyWindow = nullptr;
widgets::MultiplierGridWindow* g_zoneWindow = nullptr;
widgets::DxccWindowView* g_dxccWindow = nullptr;
