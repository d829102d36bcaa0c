#pragma once

#include <exception>

// The silent abort of a refused command. The model raises it after the refusal
// message has been shown; it unwinds through the model operation and the calling
// window handler, and the window's event guard discards it without a message.
class EAbort : public std::exception
{
public:
    const char *what() const noexcept override { return "Operation aborted"; }
};
