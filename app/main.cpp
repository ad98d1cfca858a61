#include "app/startup.h"

int main(int argc, char** argv) { return vetra::Main(argc, argv); }
