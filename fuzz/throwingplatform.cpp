#include "throwingplatform.h"

void ThrowingPlatform::endProgram(int status)
{
    throw ProgramEnd{status};
}
