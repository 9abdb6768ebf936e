// Every room's globals back to a freshly loaded library's, in one call: what each test starts from.
#pragma once

void resetPluginState();
