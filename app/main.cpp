#include "app/app.h"

CDQ450DemoApp theApp;

int main(int argc, char** argv) {
    return theApp.Run(argc, argv);
}
