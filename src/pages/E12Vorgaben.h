#pragma once
// The display options of a record's log page (table E12) and their defaults.
// The default-options step and every save of the input window write exactly
// these twenty values, in this order; keep this the one place they are listed.
#include <array>
#include <cstdint>

struct E12Vorgabe
{
    const char* spalte;   // column of E12
    int16_t wert;         // default value (for Boolean columns: 0 False, -1 True)
    bool boolesch;        // written through the Boolean write (DVTB), else the integer write (DVTI)
};

inline constexpr std::array<E12Vorgabe, 20> E12_VORGABEN{{
    {"MA", 100, false},
    {"SYMBOLE", 0, false},
    {"FARBEN", 0, false},
    {"BZTV", 1, false},
    {"BZSV", 1, false},
    {"BFV", 1, false},
    {"BEMV", 1, false},
    {"BUV", 1, false},
    {"ARV", 0, true},
    {"BVV", 1, false},
    {"VV", 1, false},
    {"PROV", 1, false},
    {"GWV", 1, false},
    {"TPV", 1, false},
    {"STSV", 1, false},
    {"BILDV", 1, false},
    {"PRV", 1, false},
    {"FDV", 1, false},
    {"KVV", 1, false},
    {"TAV", -1, true},
}};
