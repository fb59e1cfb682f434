// Program entry: replaced by the real start-up once the main window exists.
int main() { return 0; }
