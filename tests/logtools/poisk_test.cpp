#include "logtools/poisk.h"
#include "tests/logtools/searchfixture.h"
int main_placeholder;
