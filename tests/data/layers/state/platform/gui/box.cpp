QList<Box*>& openBoxes() {
    static QList<Box*> list; // the GUI's own reset clears it
    return list;
}
