/* A program for discbuild's tests to put on a disc and sign. */
int main(void) { return 0; }
