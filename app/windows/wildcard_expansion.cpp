// The runtime builds the argument list with wildcard expansion switched on:
// an argument with * or ? that matches file names is replaced by them.
// The runtime reads this variable before main.
extern "C" {
int _dowildcard = -1;
}
