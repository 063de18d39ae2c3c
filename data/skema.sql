-- The planning database "koraDB". Written once for every engine: the loader
-- replaces @TEKST@ by the text type of the engine (on PostgreSQL with the "C"
-- collation, so that texts order byte by byte as in SQLite and in the program).
-- Lektion and Tidsprioritet are filled by inserts without a column list: keep
-- their columns in this order.

create table Plan (
    PlanID_P @TEKST@ not null primary key,
    TimeFagFordelingID_P @TEKST@,
    Kolonne_P integer,
    Raekke_P integer
);

create table Hold (
    HoldID_AHo @TEKST@ not null primary key,
    Type_AHo @TEKST@
);
create index Hold_Type on Hold (Type_AHo);

create table Holdliste (
    Hold_THo @TEKST@ not null,
    timefagfordelingID_THo @TEKST@ not null,
    primary key (timefagfordelingID_THo, Hold_THo)
);
create index Holdliste_Hold on Holdliste (Hold_THo);

create table Fag (
    FagID_AFa @TEKST@ not null primary key,
    Timer_AFa integer,
    Lokaletype_AFa @TEKST@
);
create index Fag_Lokaletype on Fag (Lokaletype_AFa);

create table Fagprofil (
    Type_FP @TEKST@ not null,
    FagID_Fp @TEKST@ not null,
    primary key (Type_FP, FagID_Fp)
);
create index Fagprofil_Fag on Fagprofil (FagID_Fp);

create table Fagliste (
    FagID_TFa @TEKST@ not null primary key
);

create table LaererFagProfil (
    LaererID_LFP @TEKST@ not null,
    FagID_LFP @TEKST@ not null,
    AntalHold_LFP integer,
    Blokstoerrelse_LFP integer,
    TimeFagFordelingID_LFP @TEKST@ not null,
    primary key (TimeFagFordelingID_LFP, FagID_LFP, LaererID_LFP)
);

create table HoldLaererRelation (
    HoldID_HLR @TEKST@ not null,
    FagID_HLR @TEKST@ not null,
    LaererID_HLR @TEKST@,
    PlanID_HLR @TEKST@ not null,
    primary key (PlanID_HLR, HoldID_HLR, FagID_HLR)
);
create index HoldLaererRelation_Hold_Fag on HoldLaererRelation (HoldID_HLR, FagID_HLR);
create index HoldLaererRelation_Fag on HoldLaererRelation (FagID_HLR);

create table LokaleHoldRelation (
    HoldID_LoHR @TEKST@ not null,
    LokaleID_LoHR @TEKST@,
    PlanID_LoHR @TEKST@ not null,
    primary key (PlanID_LoHR, HoldID_LoHR)
);
create index LokaleHoldRelation_Hold on LokaleHoldRelation (HoldID_LoHR);

create table Lokale (
    LokaleID_ALo @TEKST@ not null primary key,
    Lokaletype_ALo @TEKST@
);
create index Lokale_Lokaletype on Lokale (Lokaletype_ALo);

create table LokalePlan (
    LokaleID_LP @TEKST@ not null,
    PlanID_LP @TEKST@ not null,
    primary key (PlanID_LP, LokaleID_LP)
);

create table Lektion (
    PlanID_Le @TEKST@,
    HoldID_Le @TEKST@,
    FagID_Le @TEKST@,
    LaererID_Le @TEKST@,
    LokaleID_Le @TEKST@,
    Blokstoerrelse_Le integer,
    Kolonne_Le integer,
    Raekke_Le integer
);
create index Lektion_Plan on Lektion (PlanID_Le);

create table Tidsprioritet (
    PlanID_Ti @TEKST@,
    LaererID_Ti @TEKST@,
    Prioritet_Ti integer,
    Kolonne_Ti integer,
    Raekke_Ti integer
);
create index Tidsprioritet_Plan on Tidsprioritet (PlanID_Ti);
