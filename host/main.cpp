// qrvhost: the host application that loads the dimension-style module.
#include "session.h"

int main(int argc, char** argv) { return qrvhost::runHost(argc, argv); }
