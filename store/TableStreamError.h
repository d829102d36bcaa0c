#pragma once

#include <stdexcept>
#include <string>
#include <utility>

// The stream errors of table files. Their messages are the fixed texts players
// and tools see; the classes let callers tell a damaged file (EReadError) from a
// file that cannot be reached (EFOpenError, EFCreateError) or written.
class EStreamError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;

    // Why the system refused, when it said (for example "No space left on
    // device"); the message itself stays the fixed text.
    std::string Reason;
};

class EFOpenError : public EStreamError
{
public:
    explicit EFOpenError(const std::string &fileName) : EStreamError("Cannot open file " + fileName)
    {
    }
};

class EFCreateError : public EStreamError
{
public:
    explicit EFCreateError(const std::string &fileName)
        : EStreamError("Cannot create file " + fileName)
    {
    }
    EFCreateError(const std::string &fileName, std::string reason) : EFCreateError(fileName)
    {
        Reason = std::move(reason);
    }
};

class EReadError : public EStreamError
{
public:
    using EStreamError::EStreamError;
};

class EWriteError : public EStreamError
{
public:
    EWriteError() : EStreamError("Stream write error") {}
    explicit EWriteError(std::string reason) : EWriteError() { Reason = std::move(reason); }
};
