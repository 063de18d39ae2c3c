#pragma once

#include "base/Besked.h"

#include <cstdint>
#include <string>
#include <utility>

// Singly linked stack that hands lists from one object to another. It gives
// back the last element pushed first.
template <typename T>
struct node {
    T vaerdi;
    node* naeste;
};

template <typename T>
class stack {
public:
    stack() = default;
    ~stack() { clear(); }
    stack(const stack&) = delete;
    stack& operator=(const stack&) = delete;
    // Handing a stack over leaves the old one empty.
    stack(stack&& andet) noexcept { *this = std::move(andet); }
    stack& operator=(stack&& andet) noexcept
    {
        if (this != &andet) {
            clear();
            top_ = std::exchange(andet.top_, nullptr);
            sidste_ = std::exchange(andet.sidste_, nullptr);
            antal_ = std::exchange(andet.antal_, 0);
        }
        return *this;
    }

    bool push(const T& vaerdi)
    {
        top_ = new node<T>{vaerdi, top_};
        sidste_ = top_;
        ++antal_;
        return true;
    }

    // On an empty stack: writes the diagnostic and yields an empty value.
    T pop()
    {
        if (antal_ == 0 || top_ == nullptr) {
            Besked().Spor("\nstacken er tom (man kan ikke poppe noget der ikke er der!)");
            return T{};
        }
        sidste_ = top_;
        top_ = top_->naeste;
        T vaerdi = std::move(sidste_->vaerdi);
        delete sidste_;
        sidste_ = nullptr;
        --antal_;
        return vaerdi;
    }

    void clear()
    {
        while (top_ != nullptr) {
            node<T>* naeste = top_->naeste;
            delete top_;
            top_ = naeste;
        }
        sidste_ = nullptr;
        antal_ = 0;
    }

    int32_t antal() const { return antal_; }
    bool tom() const { return antal_ == 0; }

private:
    node<T>* top_ = nullptr;
    node<T>* sidste_ = nullptr;
    int32_t antal_ = 0;
};
