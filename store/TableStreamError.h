#pragma once

#include <stdexcept>
#include <string>

// The stream errors of table files. Their messages are the fixed texts players
// and tools see; the classes let callers tell a damaged file (EReadError) from a
// file that cannot be reached (EFOpenError, EFCreateError) or written.
class EStreamError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
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
};
