#include "calculator/key_caption.h"

#include <algorithm>
#include <array>

namespace calculator {
namespace {

constexpr std::array<std::string_view, 13> kEntryCaptions = {"1", "2", "3", "4", "5",   "6", "7",
                                                             "8", "9", "0", ",", "000", "00"};
constexpr std::array<std::string_view, 6> kOperatorCaptions = {"+", "--", "X", "/", "%", "x^y"};

bool Contains(const auto& captions, std::string_view caption) {
    return std::find(captions.begin(), captions.end(), caption) != captions.end();
}

}  // namespace

bool IsKeyCaption(std::string_view caption) {
    return Contains(kEntryCaptions, caption) || Contains(kOperatorCaptions, caption) ||
           caption == "=" || caption == "Clear" || caption == "C" || caption == "x^2" ||
           caption == "sqrt" || caption == "+/-";
}

Failure PressKey(Engine& engine, std::string_view caption) {
    if (Contains(kEntryCaptions, caption)) return engine.Entry(caption);
    if (Contains(kOperatorCaptions, caption)) return engine.Operator(caption);
    if (caption == "=") return engine.Equals();
    if (caption == "Clear") return engine.Clear();
    if (caption == "C") return engine.Backspace();
    if (caption == "x^2") return engine.Square();
    if (caption == "sqrt") return engine.SquareRoot();
    if (caption == "+/-") return engine.SignChange();
    return Failure::kNone;
}

}  // namespace calculator
