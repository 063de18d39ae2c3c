#pragma once

#include <optional>
#include <string>
#include <utility>

// What an operation gives back: its value, or the reason there is none, in
// Danish words the planner can act on. The application layer's channel for
// refusals; nothing is refused without a reason.
template <typename T>
class Udfald {
public:
    Udfald(T vaerdi) : vaerdi_(std::move(vaerdi)) {}
    static Udfald Afvist(std::string grund) { return Udfald(AfvistMaerke{}, std::move(grund)); }

    explicit operator bool() const { return vaerdi_.has_value(); }
    const T& operator*() const { return *vaerdi_; }
    const T* operator->() const { return &*vaerdi_; }
    const std::string& Grund() const { return grund_; }

private:
    struct AfvistMaerke {};
    Udfald(AfvistMaerke, std::string grund) : grund_(std::move(grund)) {}

    std::optional<T> vaerdi_;
    std::string grund_;
};
