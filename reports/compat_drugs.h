// The drugs of the compatibility check (custom report kind 6): the one list
// that the report's number lines and the tool's note are made from.
#pragma once

#include <cstdint>

// Drug number n (1 to 10) at index n - 1.
inline constexpr const wchar_t* kCompatDrugNames[] = {
    L"头孢曲松",    //  1
    L"葡萄糖酸钙",  //  2
    L"万古霉素",    //  3
    L"呋塞米",      //  4
    L"氨溴索",      //  5
    L"奥美拉唑",    //  6
    L"维生素C",     //  7
    L"胰岛素",      //  8
    L"碳酸氢钠",    //  9
    L"多巴胺",      // 10
};
inline constexpr int32_t kCompatDrugCount =
    static_cast<int32_t>(sizeof kCompatDrugNames / sizeof kCompatDrugNames[0]);
