#pragma once
// How a reported line of a child's output stands: complete, or everything
// received so far of a line that has not ended yet.
enum TOutputType { otEntireLine = 0, otBeginningOfLine = 1 };
