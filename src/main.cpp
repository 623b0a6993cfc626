#include "ui/Application.h"

int main(int argc, char** argv) { return tabulyst::ui::runApplication(argc, argv); }
