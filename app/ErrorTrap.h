// The program's one error trap, around the review of a question: a failure of any of its steps is
// shown to the candidate as an error number immediately followed by a description, in the
// program's message box, and the program goes on.
//
// What counts as an error is a C++ exception. Its number is the classic Basic run-time error
// number of the same kind of fault, its description a fixed sentence of ours for that number
// (the exception's own what() is written for programmers and is not shown):
//   9  std::out_of_range: an index outside its array (the kind the screens throw)
//   6  std::overflow_error, std::underflow_error, std::range_error: a number out of its range
//   7  std::bad_alloc: no memory left
//   5  any other std::logic_error: an argument that the operation cannot take
//   51 anything else, std::exception or not
#pragma once

#include <QString>

#include <exception>

namespace tovarin {

struct TrappedError
{
    int number = 0;
    QString description;
};

TrappedError trappedError(std::exception_ptr error);

// The number in decimal digits and the description, with nothing between them.
QString trappedErrorText(const TrappedError &error);

} // namespace tovarin
