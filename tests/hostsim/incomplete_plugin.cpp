// A plug-in that lacks GetResult0 and CheckCall0: hostsim must refuse it and name both.
struct COleDateTime;

#define EXPORTED extern "C" __attribute__((visibility("default")))

EXPORTED int GetNumberOfSets(void) { return 1; }
EXPORTED const char* GetSetName(int) { return ""; }
EXPORTED void SetupSet0(void) {}
EXPORTED unsigned long setVersion(const char*) { return 0; }
EXPORTED int ResetStats0(const char*, int, const char*, COleDateTime*, COleDateTime*, const char*, const char*,
                         const char*, const char*, const char*, const char*, const char*, const char*, const char*,
                         const char*, int, int, int, double, double, const char*, const char*, const char*) {
    return 1;
}
EXPORTED int AddData0(const char*, const char*, COleDateTime*, COleDateTime*, COleDateTime*, COleDateTime*, unsigned,
                      unsigned, const char*, const char*, const char*, const char*, const char*, const char*,
                      const char*, const char*, const char*, const char*, const char*, const char*, const char*,
                      const char*, const char*, int, int, int, double, double, const char*, const char*,
                      const char*, const char*, const char*) {
    return 1;
}
EXPORTED int RemoveData0(const char*, const char*, COleDateTime*, COleDateTime*, COleDateTime*, COleDateTime*,
                         unsigned, unsigned, const char*, const char*, const char*, const char*, const char*,
                         const char*, const char*, const char*, const char*, const char*, const char*, const char*,
                         const char*, const char*, const char*, int, int, int, double, double, const char*,
                         const char*, const char*, const char*, const char*) {
    return 1;
}
EXPORTED int IsValidExchg0(const char*, const char*, const char*, const char*, int, int, int) { return 0; }
EXPORTED int GetExchgCount0(const char*, const char*, const char*) { return 1; }
